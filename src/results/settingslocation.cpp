#include "results/settingslocation.h"

#include "platform/files.h"

#include <QDir>
#include <QStandardPaths>

namespace settingslocation {
namespace {

std::function<bool(const QFileInfo&)>& writablecheck() {
    static std::function<bool(const QFileInfo&)> check;
    return check;
}

bool writable(const QFileInfo& folder) {
    if (writablecheck()) return writablecheck()(folder);
    return folder.isDir() && folder.isWritable();
}

QFileInfo besideprogram() { return platform::GetFolderItem(QString::fromLatin1(filename)); }

}  // namespace

QString settingsfilepath() {
    const QFileInfo beside = besideprogram();
    if (writable(QFileInfo(beside.absolutePath()))) return beside.absoluteFilePath();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(QDir(data).filePath(QStringLiteral("Taptrell"))).filePath(QString::fromLatin1(filename));
}

QString settingsreadpath() {
    const QString saved = settingsfilepath();
    const QFileInfo beside = besideprogram();
    if (QFileInfo::exists(saved) || !beside.exists()) return saved;
    return beside.absoluteFilePath();
}

void setwritablecheck(std::function<bool(const QFileInfo& folder)> check) { writablecheck() = std::move(check); }

}  // namespace settingslocation
