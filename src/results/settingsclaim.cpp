#include "results/settingsclaim.h"

#include "platform/messagebox.h"
#include "results/settingslocation.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace settingsclaim {

Lock::~Lock() {
    if (descriptor_ >= 0) ::close(descriptor_);  // closing lets the lock go
}

std::optional<Lock> lock(const QString& settingsfile) {
    const QFileInfo file(settingsfile);
    QDir().mkpath(file.absolutePath());
    const QByteArray path = QFile::encodeName(file.absoluteFilePath() + QStringLiteral(".lock"));
    // A lock needs no more than reading; the file may be another user's.
    const int descriptor = ::open(path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0) return Lock(-1);
    int taken = 0;
    do taken = ::flock(descriptor, LOCK_EX | LOCK_NB);
    while (taken != 0 && errno == EINTR);
    if (taken == 0) return Lock(descriptor);
    const bool heldbyanother = errno == EWOULDBLOCK;
    ::close(descriptor);
    // A file system without locks must not keep the program from starting.
    if (heldbyanother) return std::nullopt;
    return Lock(-1);
}

void removeinterruptedsaves(const QString& settingsfile) {
    const QFileInfo file(settingsfile);
    // The name QSaveFile gives its temporary file beside the file it replaces.
    const QRegularExpression temporary(QStringLiteral("^") + QRegularExpression::escape(file.fileName()) +
                                       QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    QDir folder = file.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks))
        if (temporary.match(name).hasMatch()) folder.remove(name);
}

std::optional<Lock> claim() {
    const QString path = settingslocation::settingsfilepath();
    std::optional<Lock> held = lock(path);
    if (!held) {
        platform::MsgBox(QStringLiteral("Taptrell is already running. Only one copy at a time can keep the totals "
                                        "and settings in \"") +
                         QDir::toNativeSeparators(path) + QStringLiteral("\"."));
        return std::nullopt;
    }
    removeinterruptedsaves(path);
    return held;
}

}  // namespace settingsclaim
