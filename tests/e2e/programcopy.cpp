#include "programcopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString copyProgramFolder(const QString& from, const QString& to) {
    const QDir source(from);
    const QDir target(to);
    for (const QFileInfo& entry : source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString name = entry.fileName();
        if (entry.isDir()) {
            QFile::link(entry.absoluteFilePath(), target.filePath(name));
        } else if (name == QStringLiteral("Taptrell") || name.endsWith(QStringLiteral(".so"))) {
            QFile::copy(entry.absoluteFilePath(), target.filePath(name));
            QFile(target.filePath(name)).setPermissions(entry.permissions());
        }
    }
    return target.filePath(QStringLiteral("Taptrell"));
}
