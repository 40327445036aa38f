// The settings-and-totals file: 13 scrambled lines, one value each, read once
// when the main window opens and rewritten whole after every completed test.
//
// The reader trusts nothing it finds: a short file reads its missing lines as
// empty, a line too long to be one of ours reads as empty, every number is
// converted with saturation and checked against the range the program itself
// can produce, so a damaged file can never bring in a value that breaks a
// test. The writer never leaves a half-written file: it writes a temporary
// file beside the old one and renames it over the old one only when all of
// it is on the disk.

#include "platform/exceptions.h"
#include "platform/messagebox.h"
#include "platform/portmidiclasses.h"
#include "platform/text.h"
#include "results/savetemporary.h"
#include "results/scrambler.h"
#include "results/settingslocation.h"
#include "shell/module1.h"
#include "shell/window1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using platform::FormatHashHash;
using platform::Str;
using platform::Val;
using platform::ValInteger;

namespace {

constexpr int filelines = 13;
// Our longest line is well under 100 characters; anything much longer is not
// one of ours and is not worth unscrambling.
constexpr qint64 longestline = 1024;

// One line of the file, without its line ending; past the end of the file,
// or for an over-long line, the empty text.
QString readsavedline(QFile& file) {
    if (file.atEnd()) return QString();
    QByteArray line = file.readLine(longestline + 2);
    const bool complete = line.endsWith('\n') || file.atEnd();
    if (!complete) {
        while (!file.atEnd()) {
            if (file.readLine(4096).endsWith('\n')) break;
        }
        return QString();
    }
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    if (line.size() > longestline) return QString();
    return QString::fromUtf8(line);
}

QString unscramble(const QString& line) {
    try {
        return scrambler::decpw(line);
    } catch (const platform::OutOfBoundsException&) {
        return QString();  // too long for the scrambler's table: not a line we wrote
    }
}

int64_t count(const QString& text) {
    const int64_t value = ValInteger(text);
    return value < 0 ? 0 : value;
}

double percentage(const QString& text) {
    const double value = Val(text);
    if (!std::isfinite(value) || value < 0.0) return 0.0;
    return value > 100.0 ? 100.0 : value;
}

// A whole-number setting: an empty line keeps the current value, and so does
// a value the program's own controls could never have set.
void setting(int64_t& target, const QString& text, int64_t lowest, int64_t highest) {
    if (text.isEmpty()) return;
    const int64_t value = ValInteger(text);
    if (value >= lowest && value <= highest) target = value;
}

// The bytes written through the descriptor and synced to the disk; the
// empty text on success, else the system's reason. A short write is followed
// by one that fails and so gives the reason.
QString writeout(int descriptor, const QByteArray& bytes) {
    const char* data = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return QString::fromLocal8Bit(std::strerror(errno));
        if (written == 0) return QStringLiteral("nothing was written");
        data += written;
        left -= size_t(written);
    }
    if (::fsync(descriptor) != 0) return QString::fromLocal8Bit(std::strerror(errno));
    return QString();
}

QString systemreason() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Closes a descriptor on every way out.
struct Descriptor {
    int value = -1;
    ~Descriptor() {
        if (value >= 0) ::close(value);
    }
    // The system's reason when closing fails (a write-back error can show
    // only here), else the empty text.
    QString close() {
        const int closing = value;
        value = -1;
        return ::close(closing) == 0 ? QString() : systemreason();
    }
};

// What became of a save: the empty reason when it is on the disk. Otherwise
// the old file is still in place, unless the new one had already taken its
// name when the folder could not be synced: then the new totals are in the
// file but may not survive a crash.
struct Saved {
    Saved(QString reason = QString(), bool inplace = false) : failure(std::move(reason)), replaced(inplace) {}
    QString failure;
    bool replaced;
};

// Writes the lines scrambled. The old file is replaced only by a complete
// new one that has reached the disk: the new one is written and synced
// beside it under a name of its own, renamed over it, and then the folder is
// synced so that the rename itself is on the disk. Only a regular file is
// ever replaced: a link is followed to its end, and a device or a pipe there
// is left alone.
Saved writesettingsfile(const QString& path, const QStringList& lines) {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) return QStringLiteral("its folder could not be made");
    QByteArray bytes;
    for (const QString& line : lines) bytes += (scrambler::encpw(line) + QLatin1Char('\n')).toUtf8();

    QString reason;
    const QString target = savetemporary::replacedfile(path, reason);
    if (target.isEmpty()) return reason;
    const QByteArray targetpath = QFile::encodeName(target);
    struct stat old {};
    const bool replacing = ::lstat(targetpath.constData(), &old) == 0;
    if (!replacing && errno != ENOENT) return systemreason();
    if (replacing && !S_ISREG(old.st_mode)) return QStringLiteral("it is not a file");

    // Opened first: a save that could not make its rename last must not
    // make it at all.
    Descriptor folder{::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.value < 0) return systemreason();

    // A new file gets what any new file of the player's gets (0666 less the
    // umask); a replaced one keeps its permission bits, and until it has
    // them no one else may read it.
    const savetemporary::Temporary temporary = savetemporary::create(target, replacing ? 0600 : 0666);
    if (temporary.descriptor < 0) return systemreason();
    Descriptor written{temporary.descriptor};
    // A file system without permission bits refuses, and the save goes on.
    if (replacing) ::fchmod(written.value, old.st_mode & 0777);
    QString failure = writeout(written.value, bytes);
    if (failure.isEmpty()) failure = written.close();
    if (failure.isEmpty() && ::rename(temporary.path.constData(), targetpath.constData()) != 0)
        failure = systemreason();
    if (!failure.isEmpty()) {
        ::unlink(temporary.path.constData());
        return failure;
    }
    // Some file systems cannot sync a folder; there is nothing more to do there.
    if (::fsync(folder.value) != 0 && errno != EINVAL) return {systemreason(), true};
    return {};
}

// Reopens the saved MIDI device on s, and tells the test clock which device
// its own reopen after a fault is to try.
void reopensaveddevice(const QString& device, int64_t& midireopendevice) {
    PortMidiStreamVLX& stream = *Module1.s;
    // The device the start-up scan left open: opening another closes it
    // first, so a saved device that is gone (unplugged, or its number now
    // naming an output) must not leave the player without the input that
    // worked. Device 0, the fallback for "nf", is rarely an input on Linux.
    const int64_t before = stream.DeviceID();
    const int64_t saved = device.isEmpty() || device == QLatin1String("nf") ? 0 : ValInteger(device);
    if (stream.OpenInput(saved, 100) == 0) {
        midireopendevice = saved;
        return;
    }
    if (before < 0) return;
    // The clock's reopen then tries this same device, whether or not it
    // opens now.
    midireopendevice = before;
    stream.OpenInput(before, 100);
}

}  // namespace

void Window1::loaddata() {
    const QString path = settingslocation::settingsreadpath();
    const QFileInfo info(path);
    if (!info.exists()) return;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        const QString reason = info.isFile() ? file.errorString() : QStringLiteral("it is not a file");
        platform::MsgBox(QStringLiteral("The saved totals and settings in \"") + QDir::toNativeSeparators(path) +
                         QStringLiteral("\" could not be read (") + reason +
                         QStringLiteral("). The program starts from its defaults."));
        return;
    }
    QStringList lines;
    for (int line = 0; line < filelines; ++line) lines << unscramble(readsavedline(file));
    file.close();

    Module1.totaltests = count(lines[0]);
    Module1.totalnotes = count(lines[1]);
    Module1.totalaccuracy = percentage(lines[2]);
    Module1.correct = percentage(lines[3]);
    Module1.almost = percentage(lines[4]);
    Module1.miss = percentage(lines[5]);
    Module1.midiinput = lines[6] == QLatin1String("midi") && Module1.midiinputpos;
    setting(Module1.earlychange, lines[7], 10, 100);
    listenplay = lines[8] != QLatin1String("notlp");
    setting(Module1.tickspeed, lines[9], 20, 80);
    Module1.playmidinotes = lines[10] == QLatin1String("pmn");
    if (Module1.midiinput && Module1.s) reopensaveddevice(lines[11], midireopendevice);
    Module1.reptest = lines[12] == QLatin1String("rep");
}

void Window1::savedata() {
    QString device = QStringLiteral("nf");
    if (Module1.midiinputpos && Module1.s && Module1.s->DeviceID() >= 0) device = Str(Module1.s->DeviceID());
    const QStringList lines = {
        Str(Module1.totaltests),
        Str(Module1.totalnotes),
        Str(Module1.totalaccuracy),
        Str(Module1.correct),
        Str(Module1.almost),
        Str(Module1.miss),
        Module1.midiinput ? QStringLiteral("midi") : QStringLiteral("notmidi"),
        Str(Module1.earlychange),
        listenplay ? QStringLiteral("lp") : QStringLiteral("notlp"),
        Str(Module1.tickspeed),
        Module1.playmidinotes ? QStringLiteral("pmn") : QStringLiteral("notpmn"),
        device,
        Module1.reptest ? QStringLiteral("rep") : QStringLiteral("norep"),
    };
    const QString path = settingslocation::settingsfilepath();
    const Saved saved = writesettingsfile(path, lines);
    showtotals();
    if (saved.failure.isEmpty()) return;
    const QString where = QDir::toNativeSeparators(path);
    if (saved.replaced)
        platform::MsgBox(QStringLiteral("The totals and settings were written to \"") + where +
                         QStringLiteral("\", but may not have reached the disk: ") + saved.failure +
                         QStringLiteral(". They could be lost if the computer stops now."));
    else
        platform::MsgBox(QStringLiteral("The totals and settings could not be saved to \"") + where +
                         QStringLiteral("\": ") + saved.failure + QStringLiteral(". The file was left as it was."));
}

void Window1::showtotals() {
    ttestslabel->setText(QStringLiteral("Number of tests ") + Str(Module1.totaltests));
    tnoteslabel->setText(QStringLiteral("Notes played ") + Str(Module1.totalnotes));
    tacclabel->setText(QStringLiteral("Accuracy ") + FormatHashHash(Module1.totalaccuracy) + QStringLiteral("%"));
    thitslabel->setText(QStringLiteral("Perfect hits ") + FormatHashHash(Module1.correct) + QStringLiteral("%"));
    tnearlabel->setText(QStringLiteral("Pretty close hits ") + FormatHashHash(Module1.almost) + QStringLiteral("%"));
    tmisslabel->setText(QStringLiteral("Way off hits ") + FormatHashHash(Module1.miss) + QStringLiteral("%"));
}
