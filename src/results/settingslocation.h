#pragma once
// Where the settings-and-totals file lives: "mydata.txt" in the program's
// folder, or, where that folder cannot be written (a copy installed in a
// system folder), in the user's data folder ("Taptrell" under the platform's
// data location, $XDG_DATA_HOME or ~/.local/share on Linux). Until the data
// folder holds a file of its own, the one beside the program is read, so a
// copy whose folder became read-only carries its totals and settings on.

#include <QFileInfo>
#include <QString>
#include <functional>

namespace settingslocation {

inline constexpr const char* filename = "mydata.txt";

// The full path of the settings-and-totals file this run saves to.
QString settingsfilepath();

// The full path of the file this run reads at start-up: the one it saves
// to, or, while that one (in the data folder) does not exist, the file
// beside the program.
QString settingsreadpath();

// Replaces the check whether the program's folder can be written (root may
// write into any folder of a writable file system, so tests use this); an
// empty function restores the file system's answer.
void setwritablecheck(std::function<bool(const QFileInfo& folder)> check);

}  // namespace settingslocation
