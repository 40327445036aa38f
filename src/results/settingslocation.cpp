#include "results/settingslocation.h"

#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace settingslocation {

QString settingsfilepath() {
    const QString name = QString::fromLatin1(filename);
    const QFileInfo inprogramfolder = platform::GetFolderItem(name);
    const QFileInfo folder(inprogramfolder.absolutePath());
    if (folder.isDir() && folder.isWritable()) return inprogramfolder.absoluteFilePath();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(QDir(data).filePath(QStringLiteral("Taptrell"))).filePath(name);
}

}  // namespace settingslocation
