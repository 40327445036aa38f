#pragma once
// One copy of the program at a time per settings-and-totals file. The copy
// that starts first holds a lock on "mydata.txt.lock" beside the file for its
// whole run; the kernel lets the lock go however the copy ends, so a copy
// that crashed or was killed never blocks the next start. The lock holder
// also removes what an interrupted save of an earlier run left behind.

#include <QString>
#include <optional>

namespace settingsclaim {

// The lock of one settings file, held while the object lives.
class Lock {
public:
    explicit Lock(int descriptor) : descriptor_(descriptor) {}
    ~Lock();
    Lock(Lock&& other) noexcept : descriptor_(other.descriptor_) { other.descriptor_ = -1; }
    Lock& operator=(Lock&&) = delete;
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    int descriptor_;  // -1: no lock file could be made, and no save can succeed either
};

// Takes the lock of the settings file `settingsfile`; nothing when another
// copy holds it.
std::optional<Lock> lock(const QString& settingsfile);

// Removes the temporary files of interrupted saves beside `settingsfile`
// ("mydata.txt." and six letters or digits), and nothing else.
void removeinterruptedsaves(const QString& settingsfile);

// Start-up: takes this run's settings file and tidies its folder. Nothing,
// after telling the player, when another copy is running on the same file:
// this copy must then end without reading or writing it.
std::optional<Lock> claim();

}  // namespace settingsclaim
