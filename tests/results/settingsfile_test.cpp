// The settings-and-totals file through real opens of the main window: what a
// save writes comes back after a restart, and no damaged file can stop the
// open or bring in a value that breaks a test.

#include "platform/files.h"
#include "platform/text.h"
#include "results/scrambler.h"
#include "results/settingslocation.h"
#include "shell/filesizesignal.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "support/appfixture.h"
#include "support/commalocale.h"

#include <QDir>
#include <QFile>
#include <QSlider>
#include <QTemporaryDir>
#include <csignal>
#include <dlfcn.h>
#include <cstring>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SettingsFile : public AppFixture {
protected:
    QString filepath() const { return QDir(programFolder()).filePath(QStringLiteral("mydata.txt")); }

    // Writes the lines as the program does, each scrambled (with varying prefixes).
    void writeplain(const QStringList& lines) const {
        QByteArray bytes;
        for (int i = 0; i < lines.size(); ++i) bytes += (scrambler::encpw(lines[i], i % 10) + QLatin1Char('\n')).toUtf8();
        writebytes(bytes);
    }
    void writebytes(const QByteArray& bytes) const {
        QFile file(filepath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray filebytes() const {
        QFile file(filepath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList readplain() const {
        QStringList lines;
        for (const QByteArray& line : filebytes().split('\n'))
            if (!line.isEmpty()) lines << scrambler::decpw(QString::fromUtf8(line), 0);
        return lines;
    }
    // A new run over the same program folder: fresh globals, a fresh window.
    Window1& restart() {
        Window1::destroy();
        Module1 = Module1State{};
        return openWindow();
    }
    void saveAndRestart();
    void carryOnFromAReadOnlyProgramFolder(const QString& data);
    static QStringList labels(Window1& w) {
        return {w.ttestslabel->text(), w.tnoteslabel->text(), w.tacclabel->text(), w.thitslabel->text(),
                w.tnearlabel->text(), w.tmisslabel->text(), w.tempolabel->text()};
    }
};

const QStringList fulldefaults = {"0", "0", "0", "0", "0", "0", "notmidi", "80", "lp", "60", "notpmn", "nf", "norep"};
// A file whose every line differs from the defaults.
const QStringList fullfile = {"7", "93", "81.25", "62.5", "25", "12.5", "notmidi", "40", "notlp", "30", "pmn", "nf", "rep"};

}  // namespace

TEST_F(SettingsFile, NoFileKeepsTheDefaultsAndCreatesNone) {
    Window1& w = openWindow();
    EXPECT_EQ(labels(w), QStringList({"Number of tests 0", "Notes played 0", "Accuracy 0%", "Perfect hits 0%",
                                      "Pretty close hits 0%", "Way off hits 0%", "60 bpm"}));
    EXPECT_EQ(Module1.earlychange, 80);
    EXPECT_EQ(Module1.tickspeed, 60);
    EXPECT_TRUE(w.listenplay);
    EXPECT_FALSE(QFileInfo::exists(filepath()));
    EXPECT_TRUE(messages.isEmpty());
}

// A save of varied values and a restart over the same folder.
void SettingsFile::saveAndRestart() {
    Window1& w = openWindow();
    Module1.totaltests = 3;
    Module1.totalnotes = 42;
    Module1.totalaccuracy = 200.0 / 3.0;
    Module1.correct = 87.5;
    Module1.almost = 1.0 / 3.0;
    Module1.miss = 12.1666666;
    Module1.earlychange = 40;
    Module1.tickspeed = 40;
    Module1.playmidinotes = true;
    Module1.reptest = true;
    w.listenplay = false;
    w.savedata();
    EXPECT_EQ(labels(w).mid(0, 6), QStringList({"Number of tests 3", "Notes played 42", "Accuracy 66.67%",
                                                "Perfect hits 87.5%", "Pretty close hits 0.33%", "Way off hits 12.17%"}));
    EXPECT_EQ(readplain(), QStringList({"3", "42", "66.66667", "87.5", "0.3333333", "12.16667", "notmidi", "40", "notlp",
                                        "40", "pmn", "nf", "rep"}));
    EXPECT_EQ(filebytes().count('\n'), 13);

    Window1& again = restart();
    EXPECT_EQ(Module1.totaltests, 3);
    EXPECT_EQ(Module1.totalnotes, 42);
    EXPECT_DOUBLE_EQ(Module1.totalaccuracy, 66.66667);
    EXPECT_DOUBLE_EQ(Module1.correct, 87.5);
    EXPECT_DOUBLE_EQ(Module1.almost, 0.3333333);
    EXPECT_DOUBLE_EQ(Module1.miss, 12.16667);
    EXPECT_EQ(Module1.earlychange, 40);
    EXPECT_EQ(Module1.tickspeed, 40);
    EXPECT_TRUE(Module1.playmidinotes);
    EXPECT_TRUE(Module1.reptest);
    EXPECT_FALSE(Module1.midiinput);
    EXPECT_FALSE(again.listenplay);
    EXPECT_EQ(again.Slider1->value(), 40);
    EXPECT_EQ(labels(again), QStringList({"Number of tests 3", "Notes played 42", "Accuracy 66.67%", "Perfect hits 87.5%",
                                          "Pretty close hits 0.33%", "Way off hits 12.17%", "90 bpm"}));
}

TEST_F(SettingsFile, WhatASaveWritesComesBackAfterARestart) { saveAndRestart(); }

// The toolkit hands the player's locale to the C library at start-up; the
// file and the labels must not follow it.
TEST_F(SettingsFile, ADecimalCommaLocaleChangesNeitherTheFileNorTheLabels) {
    CommaLocale comma;
    ASSERT_TRUE(comma.active());
    saveAndRestart();
    // Zero, the value every total starts from, shows without decimals.
    Module1.totalaccuracy = 0;
    Module1.miss = 100;
    Window1::instance().savedata();
    EXPECT_EQ(Window1::instance().tacclabel->text(), "Accuracy 0%");
    EXPECT_EQ(Window1::instance().tmisslabel->text(), "Way off hits 100%");
    EXPECT_EQ(readplain().mid(2, 4), QStringList({"0", "87.5", "0.3333333", "100"}));
}

TEST_F(SettingsFile, AFileCutShortAfterAnyLineReadsItsMissingLinesAsEmpty) {
    for (int kept = 0; kept <= 13; ++kept) {
        SCOPED_TRACE(kept);
        writeplain(fullfile.mid(0, kept));
        Window1& w = restart();
        // Each line comes from the file when it is there; a missing line
        // reads as empty: keywords false (line 9 true), numbers 0, lines 8
        // and 10 unchanged.
        EXPECT_EQ(Module1.totaltests, kept > 0 ? 7 : 0);
        EXPECT_EQ(Module1.totalnotes, kept > 1 ? 93 : 0);
        EXPECT_EQ(Module1.totalaccuracy, kept > 2 ? 81.25 : 0);
        EXPECT_EQ(Module1.correct, kept > 3 ? 62.5 : 0);
        EXPECT_EQ(Module1.almost, kept > 4 ? 25 : 0);
        EXPECT_EQ(Module1.miss, kept > 5 ? 12.5 : 0);
        EXPECT_EQ(Module1.earlychange, kept > 7 ? 40 : 80);
        EXPECT_EQ(w.listenplay, kept <= 8);
        EXPECT_EQ(Module1.tickspeed, kept > 9 ? 30 : 60);
        EXPECT_EQ(Module1.playmidinotes, kept > 10);
        EXPECT_EQ(Module1.reptest, kept > 12);
        EXPECT_EQ(w.tempolabel->text(), kept > 9 ? "120 bpm" : "60 bpm");
        EXPECT_TRUE(messages.isEmpty());
    }
}

TEST_F(SettingsFile, DamagedValuesAreRepairedOrKeepTheirDefaults) {
    constexpr int64_t top = std::numeric_limits<int64_t>::max();
    const struct { int line; const char* text; std::function<bool()> holds; } cases[] = {
        {0, "-5", [] { return Module1.totaltests == 0; }},
        {0, "1e30", [] { return Module1.totaltests == top; }},
        {0, "99999999999999999999999", [] { return Module1.totaltests == top; }},
        {1, "garbage", [] { return Module1.totalnotes == 0; }},
        {1, "12.9", [] { return Module1.totalnotes == 12; }},
        {2, "1e999", [] { return Module1.totalaccuracy == 0; }},
        {2, "250", [] { return Module1.totalaccuracy == 100; }},
        {2, "66,66667", [] { return Module1.totalaccuracy == 66; }},  // written under a comma locale
        {3, "-3", [] { return Module1.correct == 0; }},
        {4, "100.5", [] { return Module1.almost == 100; }},
        {5, "-1e999", [] { return Module1.miss == 0; }},
        {6, "midi", [] { return !Module1.midiinput; }},  // no MIDI input opened at start-up
        {7, "5", [] { return Module1.earlychange == 80; }},
        {7, "101", [] { return Module1.earlychange == 80; }},
        {7, "10", [] { return Module1.earlychange == 10; }},
        {7, "100", [] { return Module1.earlychange == 100; }},
        {8, "LP", [] { return Window1::instance().listenplay; }},
        {8, "", [] { return Window1::instance().listenplay; }},
        {9, "0", [] { return Module1.tickspeed == 60; }},
        {9, "-40", [] { return Module1.tickspeed == 60; }},
        {9, "19", [] { return Module1.tickspeed == 60; }},
        {9, "81", [] { return Module1.tickspeed == 60; }},
        {9, "1e30", [] { return Module1.tickspeed == 60; }},
        {9, "20", [] { return Module1.tickspeed == 20 && Window1::instance().tempolabel->text() == "180 bpm"; }},
        {9, "80", [] { return Module1.tickspeed == 80 && Window1::instance().tempolabel->text() == "45 bpm"; }},
        {10, "PMN", [] { return !Module1.playmidinotes; }},
        {12, "rep ", [] { return !Module1.reptest; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.line + 1) + ": " + c.text);
        QStringList lines = fulldefaults;
        lines[c.line] = QString::fromLatin1(c.text);
        writeplain(lines);
        Window1& w = restart();
        EXPECT_TRUE(c.holds());
        EXPECT_GE(w.Slider1->value(), 20);
        EXPECT_LE(w.Slider1->value(), 80);
    }
}

TEST_F(SettingsFile, GarbageAndOverlongLinesNeverStopTheOpen) {
    const QByteArray valid = (scrambler::encpw("40", 3) + QLatin1Char('\n')).toUtf8();
    const struct { const char* name; QByteArray bytes; } files[] = {
        {"plain text", "hello\nworld\n\n\n\n\n\n\n\n\nzz\n"},
        {"binary", QByteArray("\x00\xff\xfe\x01\n\x80\x81", 7)},
        {"no line ends", QByteArray(3000, 'A')},
        // Line 10 (the tempo) is an over-long line and reads as empty.
        {"over-long line", QByteArray().append(valid.repeated(9)).append(QByteArray(5000, '5')).append('\n')},
        // A line of 700 hexadecimal digits is too long for the scrambler.
        {"line beyond the scrambler", QByteArray().append(valid.repeated(9)).append(QByteArray(700, '4')).append('\n')},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        writebytes(f.bytes);
        Window1& w = restart();
        EXPECT_TRUE(w.ttestslabel->text().startsWith("Number of tests "));
        EXPECT_GE(Module1.tickspeed, 20);
        EXPECT_LE(Module1.tickspeed, 80);
        EXPECT_GE(Module1.earlychange, 10);
        EXPECT_LE(Module1.earlychange, 100);
        EXPECT_FALSE(w.tempolabel->text().isEmpty());
        EXPECT_TRUE(messages.isEmpty());
    }
    // The valid lines around an over-long one still count.
    writebytes(QByteArray().append(valid.repeated(9)).append(QByteArray(5000, '5')).append('\n'));
    restart();
    EXPECT_EQ(Module1.totaltests, 40);
    EXPECT_EQ(Module1.earlychange, 40);
    EXPECT_EQ(Module1.tickspeed, 60);
}

TEST_F(SettingsFile, AnUnreadableFileIsReportedAndTheOpenStillFinishes) {
    ASSERT_TRUE(QDir(programFolder()).mkdir(QStringLiteral("mydata.txt")));
    Window1& w = openWindow();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(filepath()))) << messages[0].toStdString();
    EXPECT_EQ(w.ttestslabel->text(), "Number of tests 0");
    EXPECT_EQ(w.tempolabel->text(), "60 bpm");
}

TEST_F(SettingsFile, AFailedSaveLeavesWhatWasThereAndSaysWhy) {
    // The file's name is taken by a folder, with something in it.
    ASSERT_TRUE(QDir(programFolder()).mkdir(QStringLiteral("mydata.txt")));
    QFile inside(QDir(filepath()).filePath(QStringLiteral("keep")));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.write("untouched");
    inside.close();
    Window1& w = openWindow();
    messages.clear();
    Module1.totaltests = 5;
    Module1.correct = 50;
    w.savedata();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(filepath()))) << messages[0].toStdString();
    EXPECT_EQ(w.ttestslabel->text(), "Number of tests 5");
    EXPECT_EQ(w.thitslabel->text(), "Perfect hits 50%");
    EXPECT_TRUE(QFileInfo(filepath()).isDir());
    EXPECT_EQ(QDir(filepath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"keep"}));
    QFile kept(QDir(filepath()).filePath(QStringLiteral("keep")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "untouched");
    // Nothing half-written is left beside it.
    EXPECT_EQ(QDir(programFolder()).entryList({"mydata*"}, QDir::AllEntries), QStringList({"mydata.txt"}));
}

namespace {

// A limit on the size of the files this process writes, as a quota sets
// one: a write past `bytes` fails with EFBIG (SIGXFSZ, which would end the
// process, is ignored meanwhile). Only the soft limit is lowered, so the old
// one can be put back.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldsignal_ = signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = old_;
        lowered.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, oldsignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    sighandler_t oldsignal_ = SIG_DFL;
};

}  // namespace

TEST_F(SettingsFile, AWriteThatFailsOnTheDiskKeepsTheOldFileAndSaysWhy) {
    writeplain(fullfile);
    const QByteArray old = filebytes();
    // Nothing written, a short write after the first line, a short last line.
    for (const rlim_t limit : {rlim_t(0), rlim_t(40), rlim_t(old.size() - 20)}) {
        SCOPED_TRACE(limit);
        Window1& w = restart();
        ASSERT_EQ(Module1.totaltests, 7);
        messages.clear();
        Module1.totaltests = 8;
        Module1.correct = 50;
        {
            FileSizeLimit full(limit);
            w.savedata();
        }
        EXPECT_EQ(filebytes(), old);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(filepath()))) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << messages[0].toStdString();
        EXPECT_EQ(w.ttestslabel->text(), "Number of tests 8");
        EXPECT_EQ(w.thitslabel->text(), "Perfect hits 50%");
        EXPECT_EQ(QDir(programFolder()).entryList({"mydata*"}, QDir::AllEntries | QDir::Hidden),
                  QStringList({"mydata.txt"}));
    }
    // With room again, the next save goes through.
    messages.clear();
    Window1::instance().savedata();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(readplain().mid(0, 4), QStringList({"8", "93", "81.25", "50"}));
}

// A limit on file sizes that the program did not expect: the save fails
// and says why, and the program lives on with the test's totals.
TEST_F(SettingsFile, AFileSizeLimitFailsTheSaveWithoutEndingTheProgram) {
    writeplain(fullfile);
    const QByteArray old = filebytes();
    Window1& w = restart();
    messages.clear();
    Module1.totaltests = 8;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The program as it starts, under a limit below the file's size.
        ignoreFileSizeSignal();
        const rlimit limit{40, 40};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
        w.savedata();
        const bool told = messages.size() == 1 && messages[0].contains(QString::fromLocal8Bit(std::strerror(EFBIG)));
        _exit(told && w.ttestslabel->text() == "Number of tests 8" ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_FALSE(WIFSIGNALED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(filebytes(), old);
    EXPECT_EQ(QDir(programFolder()).entryList({"mydata*"}, QDir::AllEntries | QDir::Hidden), QStringList({"mydata.txt"}));
}

// The settings file as a link: followed to a file, which is replaced and the
// link kept, or to nothing yet, which is made; anything else at its end is
// left alone.
TEST_F(SettingsFile, ASaveThroughALinkReplacesOnlyAFile) {
    QTemporaryDir elsewhere;
    const QString target = QDir(elsewhere.path()).filePath(QStringLiteral("totals"));
    const QByteArray targetpath = QFile::encodeName(target);
    const struct {
        const char* name;
        std::function<void()> make;
        bool saved;
    } cases[] = {
        {"a file",
         [&] {
             QFile file(target);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("old");
         },
         true},
        {"nothing yet", [] {}, true},
        {"a pipe", [&] { ASSERT_EQ(::mkfifo(targetpath.constData(), 0644), 0); }, false},
        {"a folder", [&] { ASSERT_TRUE(QDir().mkdir(target)); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.make();
        ASSERT_TRUE(QFile::link(target, filepath()));
        struct stat before {};
        const bool existed = ::lstat(targetpath.constData(), &before) == 0;
        Window1& w = restart();
        messages.clear();
        Module1.totaltests = 4;
        w.savedata();
        EXPECT_EQ(w.ttestslabel->text(), "Number of tests 4");
        EXPECT_TRUE(QFileInfo(filepath()).isSymLink());
        EXPECT_EQ(QFileInfo(filepath()).symLinkTarget(), target);
        struct stat after {};
        ASSERT_EQ(::lstat(targetpath.constData(), &after), 0);
        if (c.saved) {
            EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
            EXPECT_TRUE(S_ISREG(after.st_mode));
            EXPECT_EQ(readplain().value(0), "4");
        } else {
            ASSERT_EQ(messages.size(), 1);
            EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(filepath()) + QStringLiteral("\": it is not a file")))
                << messages[0].toStdString();
            ASSERT_TRUE(existed);
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_ino, before.st_ino);
        }
        const auto everything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        EXPECT_EQ(QDir(elsewhere.path()).entryList(everything), QStringList({"totals"}));
        EXPECT_EQ(QDir(programFolder()).entryList({"mydata*"}, QDir::AllEntries | QDir::Hidden | QDir::System),
                  QStringList({"mydata.txt"}));
        ASSERT_TRUE(QFile::remove(filepath()));
        QFileInfo(target).isDir() ? QDir().rmdir(target) : QFile::remove(target);
    }
}

// Replacing the file keeps who may read it; a new file gets what the
// player's umask gives any new file.
TEST_F(SettingsFile, ASaveKeepsThePermissionsOfTheFileItReplaces) {
    const QByteArray path = QFile::encodeName(filepath());
    const struct {
        mode_t umask;
        int existing;  // -1: no file yet
        mode_t expected;
    } cases[] = {
        {022, -1, 0644},
        {077, -1, 0600},
        {077, 0604, 0604},
        {022, 0600, 0600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("umask %1, file %2").arg(c.umask, 0, 8).arg(c.existing, 0, 8).toStdString());
        QFile::remove(filepath());
        if (c.existing >= 0) {
            writeplain(fulldefaults);
            ASSERT_EQ(::chmod(path.constData(), mode_t(c.existing)), 0);
        }
        Window1& w = restart();
        const mode_t old = ::umask(c.umask);
        w.savedata();
        ::umask(old);
        EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
        struct stat saved {};
        ASSERT_EQ(::stat(path.constData(), &saved), 0);
        EXPECT_EQ(saved.st_mode & 07777, c.expected);
    }
}

namespace {

// While set, a sync of a folder fails as a failing disk makes it fail; every
// other sync (and every sync while it is not set) is the system's own.
bool folderSyncFails = false;

}  // namespace

extern "C" int fsync(int descriptor) {
    struct stat found {};
    if (folderSyncFails && ::fstat(descriptor, &found) == 0 && S_ISDIR(found.st_mode)) {
        errno = EIO;
        return -1;
    }
    static const auto system = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    return system(descriptor);
}

// The new file has taken the old one's name when the folder will not sync:
// the player is told the new totals are there but may not survive a crash,
// not that the old file was kept.
TEST_F(SettingsFile, AFolderThatWillNotSyncIsToldAsItIs) {
    writeplain(fullfile);
    Window1& w = restart();
    messages.clear();
    Module1.totaltests = 8;
    folderSyncFails = true;
    w.savedata();
    folderSyncFails = false;
    EXPECT_EQ(readplain().value(0), "8");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("The totals and settings were written to \"") +
                               QDir::toNativeSeparators(filepath()) + QStringLiteral("\", but may not have reached the disk: ") +
                               QString::fromLocal8Bit(std::strerror(EIO)) +
                               QStringLiteral(". They could be lost if the computer stops now."));
    EXPECT_EQ(w.ttestslabel->text(), "Number of tests 8");
}

TEST_F(SettingsFile, ASaveReplacesTheOldFileWhole) {
    writebytes(QByteArray(4000, 'x'));  // longer than any file the program writes
    Window1& w = openWindow();
    w.savedata();
    EXPECT_EQ(readplain(), fulldefaults);
    EXPECT_EQ(QDir(programFolder()).entryList({"mydata*"}, QDir::AllEntries), QStringList({"mydata.txt"}));
}

namespace {

// Points the user's data folder somewhere for one test.
class UserDataFolder {
public:
    explicit UserDataFolder(const QString& path) : old_(qgetenv("XDG_DATA_HOME")) { qputenv("XDG_DATA_HOME", path.toLocal8Bit()); }
    ~UserDataFolder() { old_.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", old_); }

private:
    QByteArray old_;
};

}  // namespace

TEST_F(SettingsFile, WhereTheProgramFolderCannotBeWrittenTheUserDataFolderIsUsed) {
    QTemporaryDir data;
    UserDataFolder folder(data.path());
    Window1& w = openWindow();
    // The program now runs from a folder that is not there to be written.
    platform::setProgramFolder(QDir(programFolder()).filePath(QStringLiteral("gone")));
    Module1.totaltests = 2;
    w.savedata();
    EXPECT_TRUE(messages.isEmpty());
    const QString saved = QDir(data.path()).filePath(QStringLiteral("Taptrell/mydata.txt"));
    EXPECT_TRUE(QFileInfo(saved).isFile());
    Module1 = Module1State{};
    w.loaddata();  // read from where it was written
    EXPECT_EQ(Module1.totaltests, 2);
}

TEST_F(SettingsFile, WhenNoFolderCanBeWrittenTheSaveSaysWhere) {
    QTemporaryDir data;
    // The data folder's place is taken by a file, so no folder can be made there.
    const QString blocked = QDir(data.path()).filePath(QStringLiteral("file"));
    QFile block(blocked);
    ASSERT_TRUE(block.open(QIODevice::WriteOnly));
    block.close();
    UserDataFolder folder(blocked);
    Window1& w = openWindow();
    platform::setProgramFolder(QDir(programFolder()).filePath(QStringLiteral("gone")));
    Module1.totaltests = 2;
    w.savedata();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Taptrell"))) << messages[0].toStdString();
    EXPECT_EQ(w.ttestslabel->text(), "Number of tests 2");
}

namespace {

// The program's folder reported as one that cannot be written, as for a
// player who is not root in a folder of root's; root itself may write into
// any folder of a writable file system.
class ProgramFolderNotWritable {
public:
    explicit ProgramFolderNotWritable(const QString& folder) {
        settingslocation::setwritablecheck(
            [folder](const QFileInfo& asked) { return asked.absoluteFilePath() != QDir(folder).absolutePath(); });
    }
    ~ProgramFolderNotWritable() { settingslocation::setwritablecheck({}); }
    ProgramFolderNotWritable(const ProgramFolderNotWritable&) = delete;
    ProgramFolderNotWritable& operator=(const ProgramFolderNotWritable&) = delete;
};

}  // namespace

// A copy whose folder cannot be written starts from the file beside it and
// saves to the data folder; from then on the data folder's file is read.
void SettingsFile::carryOnFromAReadOnlyProgramFolder(const QString& data) {
    const QByteArray beside = filebytes();
    Window1& w = restart();
    EXPECT_EQ(Module1.totaltests, 7);
    EXPECT_EQ(Module1.totalaccuracy, 81.25);
    EXPECT_EQ(Module1.tickspeed, 30);
    EXPECT_FALSE(w.listenplay);
    EXPECT_EQ(w.ttestslabel->text(), "Number of tests 7");
    Module1.totaltests += 1;
    w.savedata();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(filebytes(), beside);
    const QString saved = QDir(data).filePath(QStringLiteral("Taptrell/mydata.txt"));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(scrambler::decpw(QString::fromUtf8(file.readLine()).trimmed(), 0), "8");
    EXPECT_EQ(scrambler::decpw(QString::fromUtf8(file.readLine()).trimmed(), 0), "93");

    writeplain(fulldefaults);  // the file beside the program no longer counts
    Window1& again = restart();
    EXPECT_EQ(Module1.totaltests, 8);
    EXPECT_EQ(Module1.tickspeed, 30);
    EXPECT_EQ(again.ttestslabel->text(), "Number of tests 8");
}

TEST_F(SettingsFile, AProgramFolderThatCannotBeWrittenLendsItsFileUntilTheDataFolderHasOne) {
    QTemporaryDir data;
    UserDataFolder folder(data.path());
    writeplain(fullfile);
    ProgramFolderNotWritable readonly(programFolder());
    carryOnFromAReadOnlyProgramFolder(data.path());
}

TEST_F(SettingsFile, AReadOnlyProgramFolderIsToldByTheFileSystem) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder; the test before replaces the check";
    QTemporaryDir data;
    UserDataFolder folder(data.path());
    writeplain(fullfile);
    struct ReadOnly {
        QString folder;
        ~ReadOnly() { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    } readonly{programFolder()};
    ASSERT_TRUE(QFile::setPermissions(programFolder(), QFile::ReadOwner | QFile::ExeOwner));
    carryOnFromAReadOnlyProgramFolder(data.path());
}
