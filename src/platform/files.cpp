#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {
namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
}
}  // namespace

QString ProgramFolder() {
    if (!overrideFolder().isEmpty()) return overrideFolder();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& folder) { overrideFolder() = folder; }

QString ResourceFolder() { return QDir(ProgramFolder()).filePath(QStringLiteral("resources")); }

QFileInfo GetFolderItem(const QString& name) { return QFileInfo(QDir(ProgramFolder()), name); }

}  // namespace platform
