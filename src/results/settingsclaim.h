#pragma once
// One copy of the program at a time per settings-and-totals file. The copy
// that starts first holds, for its whole run, a lock on "mydata.txt.lock"
// beside the file and one on the folder that holds them; the kernel lets
// both go however the copy ends, so a copy that crashed or was killed never
// blocks the next start. Two copies always meet on the folder's lock where
// the lock file cannot be opened (its name taken by a folder, a file the
// player may not read), and wherever the settings file can be saved the
// folder can be opened. The lock holder also removes what an interrupted
// save of an earlier run left behind.

#include <QString>
#include <optional>

namespace settingsclaim {

// The locks of one settings file, held while the object lives.
class Lock {
public:
    Lock(int lockfile, int folder) : lockfile_(lockfile), folder_(folder) {}
    ~Lock();
    Lock(Lock&& other) noexcept : lockfile_(other.lockfile_), folder_(other.folder_) {
        other.lockfile_ = other.folder_ = -1;
    }
    Lock& operator=(Lock&&) = delete;
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    // Whether a second copy on the same file would be noticed: false when
    // neither lock could be taken (neither could be opened, or the file
    // system has no locks).
    bool guards() const { return lockfile_ >= 0 || folder_ >= 0; }

private:
    int lockfile_;  // -1: not locked
    int folder_;    // -1: not locked
};

// Takes the locks of the settings file `settingsfile`; nothing when another
// copy holds either of them.
std::optional<Lock> lock(const QString& settingsfile);

// Removes the temporary files that interrupted saves of this program left
// beside the file they were to replace, and nothing else: only a regular
// file under a name that only a save gives, of this user's, and with no
// other name (a hard link) is removed.
void removeinterruptedsaves(const QString& settingsfile);

// Start-up: takes this run's settings file and tidies its folder. Nothing,
// after telling the player, when another copy is running on the same file:
// this copy must then end without reading or writing it. Where no lock can
// be had at all the player is told so, and the program runs all the same.
std::optional<Lock> claim();

}  // namespace settingsclaim
