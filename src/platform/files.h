#pragma once
// Where the program finds what it ships and keeps: its own folder (the
// instrument folders, the settings-and-totals file, the plug-in) and the
// resource folder inside it (pictures and metronome clicks).

#include <QFileInfo>
#include <QString>

namespace platform {

// The folder the program runs from; tests may point it elsewhere.
QString ProgramFolder();
void setProgramFolder(const QString& folder);  // empty restores the default

QString ResourceFolder();

// A file or folder named by a bare relative name, looked up in the program's folder.
QFileInfo GetFolderItem(const QString& name);

}  // namespace platform
