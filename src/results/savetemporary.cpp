#include "results/savetemporary.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace savetemporary {
namespace {

// What follows the replaced file's name: a mark no person would type, then
// six letters or digits drawn afresh for every save.
constexpr char mark[] = ".taptrell-unfinished-save-";
constexpr int drawn = 6;
constexpr char drawable[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// As many links as the kernel itself follows in one path.
constexpr int mostlinks = 40;

bool isdrawable(char c) { return c != '\0' && std::strchr(drawable, c) != nullptr; }

}  // namespace

QString replacedfile(const QString& path, QString& reason) {
    QFileInfo file(path);
    for (int followed = 0; followed <= mostlinks; ++followed) {
        if (!file.isSymLink()) return file.absoluteFilePath();
        file.setFile(file.symLinkTarget());
    }
    reason = QString::fromLocal8Bit(std::strerror(ELOOP));
    return QString();
}

Temporary create(const QString& target, mode_t mode) {
    const QByteArray prefix = QFile::encodeName(target) + mark;
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray path = prefix;
        for (int i = 0; i < drawn; ++i)
            path += drawable[QRandomGenerator::system()->bounded(int(sizeof drawable - 1))];
        const int descriptor = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (descriptor >= 0) return {descriptor, path};
        if (errno != EEXIST) return {};
    }
    return {};  // errno is still EEXIST
}

bool istemporaryname(const QByteArray& targetname, const QByteArray& name) {
    const QByteArray prefix = targetname + mark;
    if (name.size() != prefix.size() + drawn || !name.startsWith(prefix)) return false;
    for (qsizetype i = prefix.size(); i < name.size(); ++i)
        if (!isdrawable(name[i])) return false;
    return true;
}

}  // namespace savetemporary
