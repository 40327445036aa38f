#include "results/settingsclaim.h"

#include "platform/messagebox.h"
#include "results/savetemporary.h"
#include "results/settingslocation.h"

#include <QByteArrayList>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace settingsclaim {
namespace {

// The descriptor, once it holds an exclusive lock; else it is closed and
// the result is -1, with `heldbyanother` set when another copy has the lock.
int locked(int descriptor, bool& heldbyanother) {
    if (descriptor < 0) return -1;
    int taken = 0;
    do taken = ::flock(descriptor, LOCK_EX | LOCK_NB);
    while (taken != 0 && errno == EINTR);
    if (taken == 0) return descriptor;
    if (errno == EWOULDBLOCK) heldbyanother = true;
    ::close(descriptor);
    return -1;
}

}  // namespace

Lock::~Lock() {
    // Closing lets the locks go.
    if (lockfile_ >= 0) ::close(lockfile_);
    if (folder_ >= 0) ::close(folder_);
}

std::optional<Lock> lock(const QString& settingsfile) {
    const QFileInfo file(settingsfile);
    QDir().mkpath(file.absolutePath());
    const QByteArray lockpath = QFile::encodeName(file.absoluteFilePath() + QStringLiteral(".lock"));
    const QByteArray folderpath = QFile::encodeName(file.absolutePath());
    bool heldbyanother = false;
    // A lock needs no more than reading; the file may be another user's. A
    // pipe of that name must not hold the start until someone writes to it.
    const int lockfile =
        locked(::open(lockpath.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644), heldbyanother);
    const int folder = locked(::open(folderpath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), heldbyanother);
    Lock held(lockfile, folder);
    if (heldbyanother) return std::nullopt;
    return held;
}

void removeinterruptedsaves(const QString& settingsfile) {
    QString reason;
    // A save makes its temporary file beside the file it replaces.
    const QString target = savetemporary::replacedfile(settingsfile, reason);
    if (target.isEmpty()) return;  // no save can have begun
    const QFileInfo file(target);
    const QByteArray name = QFile::encodeName(file.fileName());
    DIR* folder = ::opendir(QFile::encodeName(file.absolutePath()).constData());
    if (!folder) return;
    QByteArrayList leftovers;
    while (const dirent* entry = ::readdir(folder))
        if (savetemporary::istemporaryname(name, QByteArray(entry->d_name))) leftovers << QByteArray(entry->d_name);
    const uid_t user = ::geteuid();
    for (const QByteArray& leftover : leftovers) {
        struct stat found {};
        if (::fstatat(::dirfd(folder), leftover.constData(), &found, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(found.st_mode) && found.st_uid == user && found.st_nlink == 1)
            ::unlinkat(::dirfd(folder), leftover.constData(), 0);
    }
    ::closedir(folder);
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
    if (!held->guards()) {
        platform::MsgBox(QStringLiteral("Taptrell could not lock the totals and settings in \"") +
                         QDir::toNativeSeparators(path) +
                         QStringLiteral("\". A second copy started on them would not be noticed."));
        // Without the lock, another copy may be in the middle of a save.
        return held;
    }
    removeinterruptedsaves(path);
    return held;
}

}  // namespace settingsclaim
