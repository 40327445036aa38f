#pragma once
// Where the settings-and-totals file lives: "mydata.txt" in the program's
// folder, or, where that folder cannot be written (a copy installed in a
// system folder), in the user's data folder ("Taptrell" under the platform's
// data location, $XDG_DATA_HOME or ~/.local/share on Linux). It is read from
// the same place it is written to.

#include <QString>

namespace settingslocation {

inline constexpr const char* filename = "mydata.txt";

// The full path of the settings-and-totals file for this run's folders.
QString settingsfilepath();

}  // namespace settingslocation
