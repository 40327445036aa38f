// One copy at a time per settings file, and the leftovers of an interrupted
// save: the start-up claim against a second lock holder, in this process, in
// a process killed while holding the lock and in one of another user, and
// the clean-up among files of the player's own.

#include "results/savetemporary.h"
#include "results/settingsclaim.h"
#include "results/settingslocation.h"
#include "support/appfixture.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SettingsClaim : public AppFixture {
protected:
    QString filepath() const { return QDir(programFolder()).filePath(QStringLiteral("mydata.txt")); }
    void put(const QString& name, const QByteArray& bytes) const {
        QFile file(QDir(programFolder()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList folderentries() const {
        return QDir(programFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    // What a save killed before its rename leaves behind, made as the save
    // makes it; its name in the program folder.
    QString interruptedsave() const {
        const savetemporary::Temporary temporary = savetemporary::create(filepath(), 0600);
        EXPECT_GE(temporary.descriptor, 0);
        if (temporary.descriptor < 0) return QString();
        EXPECT_EQ(::write(temporary.descriptor, "half a save", 11), 11);
        ::close(temporary.descriptor);
        return QFileInfo(QFile::decodeName(temporary.path)).fileName();
    }
};

// Runs `copy` in a child process, as a user who does not own the program
// folder (nobody) when the test runs as root, and gives back its answer.
QByteArray asanotheruser(const std::function<QByteArray()>& copy) {
    int answer[2];
    if (pipe(answer) != 0) return "no pipe";
    const pid_t child = fork();
    if (child < 0) return "no fork";
    if (child == 0) {
        close(answer[0]);
        constexpr uid_t nobody = 65534;
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)) _exit(1);
        const QByteArray said = copy();
        if (::write(answer[1], said.constData(), size_t(said.size())) != said.size()) _exit(1);
        _exit(0);
    }
    close(answer[1]);
    QByteArray said;
    char buffer[512];
    ssize_t got = 0;
    while ((got = read(answer[0], buffer, sizeof buffer)) > 0) said.append(buffer, got);
    close(answer[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) said += " (the copy failed)";
    return said;
}

// Sets the program folder's permission bits for one test, and gives it back
// as the test found it.
class FolderMode {
public:
    FolderMode(const QString& folder, mode_t mode) : folder_(QFile::encodeName(folder)) {
        struct stat found {};
        ::stat(folder_.constData(), &found);
        old_ = found.st_mode & 07777;
        EXPECT_EQ(::chmod(folder_.constData(), mode), 0);
    }
    ~FolderMode() { ::chmod(folder_.constData(), old_); }
    FolderMode(const FolderMode&) = delete;
    FolderMode& operator=(const FolderMode&) = delete;

private:
    QByteArray folder_;
    mode_t old_ = 0700;
};

}  // namespace

TEST_F(SettingsClaim, ASecondCopyIsToldAndTouchesNothing) {
    put(QStringLiteral("mydata.txt"), "the totals");
    std::optional<settingsclaim::Lock> first = settingsclaim::claim();
    ASSERT_TRUE(first);
    EXPECT_TRUE(messages.isEmpty());
    // The first copy's save is under way.
    ASSERT_FALSE(interruptedsave().isEmpty());
    const QStringList before = folderentries();

    EXPECT_FALSE(settingsclaim::claim());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Taptrell is already running.")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(filepath()))) << messages[0].toStdString();
    EXPECT_EQ(folderentries(), before);

    first.reset();  // the first copy ends
    messages.clear();
    EXPECT_TRUE(settingsclaim::claim());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SettingsClaim, ALockLeftByAKilledCopyNeverBlocksTheNextStart) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t copy = fork();
    ASSERT_GE(copy, 0);
    if (copy == 0) {
        // Another copy: takes the lock and runs until it is killed.
        const std::optional<settingsclaim::Lock> held = settingsclaim::lock(filepath());
        const char answer = held ? 'y' : 'n';
        if (::write(ready[1], &answer, 1) != 1) _exit(1);
        if (held) pause();
        _exit(0);
    }
    // Killed however the test ends, so no copy is left waiting.
    struct Killed {
        pid_t pid;
        int status = 0;
        bool reaped = false;
        void now() {
            if (reaped) return;
            kill(pid, SIGKILL);
            reaped = waitpid(pid, &status, 0) == pid;
        }
        ~Killed() { now(); }
    } killed{copy};
    close(ready[1]);
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    close(ready[0]);
    ASSERT_EQ(answer, 'y');
    EXPECT_FALSE(settingsclaim::lock(filepath()));

    killed.now();
    ASSERT_TRUE(killed.reaped);
    ASSERT_TRUE(WIFSIGNALED(killed.status));
    EXPECT_TRUE(QFileInfo::exists(filepath() + QStringLiteral(".lock")));  // left behind, and no matter
    EXPECT_TRUE(settingsclaim::claim());
    EXPECT_TRUE(messages.isEmpty());
}

// Where the lock file cannot be opened, or is something other than a file,
// two copies still meet on the lock of the folder.
TEST_F(SettingsClaim, TheGuardHoldsWhateverTakesTheLockFilesName) {
    const QString lockpath = filepath() + QStringLiteral(".lock");
    const struct {
        const char* name;
        std::function<bool()> make;
    } cases[] = {
        {"a folder", [&] { return QDir().mkdir(lockpath); }},
        {"a link into a folder that is not there",
         [&] { return QFile::link(QDir(programFolder()).filePath("gone/lock"), lockpath); }},
        // Opened as if it were a file, it would hold the start until
        // something wrote to it.
        {"a pipe", [&] { return ::mkfifo(QFile::encodeName(lockpath).constData(), 0644) == 0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.make());
        const QStringList before = folderentries();
        messages.clear();
        std::optional<settingsclaim::Lock> first = settingsclaim::claim();
        ASSERT_TRUE(first);
        EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();

        EXPECT_FALSE(settingsclaim::claim());
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith("Taptrell is already running.")) << messages[0].toStdString();

        first.reset();
        messages.clear();
        EXPECT_TRUE(settingsclaim::claim());
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(folderentries(), before);
        QFileInfo(lockpath).isDir() ? QDir().rmdir(lockpath) : QFile::remove(lockpath);
    }
}

// The running copy made the lock file; a second copy of a player who may
// not read it still finds the first one running.
TEST_F(SettingsClaim, ACopyThatMayNotReadTheLockFileFindsTheRunningOne) {
    std::optional<settingsclaim::Lock> first = settingsclaim::claim();
    ASSERT_TRUE(first);
    const QString lockpath = filepath() + QStringLiteral(".lock");
    ASSERT_TRUE(QFile::setPermissions(lockpath, QFile::WriteOwner));
    FolderMode readable(programFolder(), 0755);
    const QByteArray said = asanotheruser([&] {
        if (::open(QFile::encodeName(lockpath).constData(), O_RDONLY) >= 0) return QByteArray("the lock file is readable");
        return QByteArray(settingsclaim::lock(filepath()) ? "started" : "found the first copy");
    });
    EXPECT_EQ(said, "found the first copy");
}

// Where neither lock can be opened the program still starts, and says once
// that a second copy would go unnoticed.
TEST_F(SettingsClaim, WithoutAnyLockThePlayerIsToldAndTheProgramStarts) {
    put(QStringLiteral("mydata.txt.lock"), "");
    ASSERT_TRUE(QFile::setPermissions(filepath() + QStringLiteral(".lock"), QFile::WriteOwner));
    // Files can be made in the folder, but it cannot be opened or listed.
    FolderMode writeonly(programFolder(), 0333);
    const QByteArray said = asanotheruser([&] {
        settingslocation::setwritablecheck([](const QFileInfo&) { return true; });
        const bool started = settingsclaim::claim().has_value();
        return QByteArray(started ? "started: " : "stopped: ") + messages.join('|').toUtf8();
    });
    EXPECT_EQ(said, "started: Taptrell could not lock the totals and settings in \"" +
                        QDir::toNativeSeparators(filepath()).toUtf8() +
                        "\". A second copy started on them would not be noticed.");
}

TEST_F(SettingsClaim, OnlyTheTemporaryFilesOfASaveAreRemovedAtStart) {
    const QDir folder(programFolder());
    const auto at = [&](const QString& name) { return QFile::encodeName(folder.filePath(name)); };
    QStringList kept = {
        "mydata.txt", "mydata.txt.lock", "mydata.txt.bak", "mydata.txt.Ab12C", "mydata.txt.Ab12Cde",
        "mydata.txt.Ab-12C", "mydata.txtx.Ab12Cd", "other.txt.Ab12Cd", "mydata.txt.Ab12Cd.old",
        // The player's own copies, named as other programs name their
        // temporary files.
        "mydata.txt.backup", "mydata.txt.before", "mydata.txt.2024v1", "mydata.txt.Ab12Cd", "mydata.txt.000000",
        "mydata.txt.backup\n",
    };
    const QStringList removed = {interruptedsave(), interruptedsave()};
    // Named almost as a save names its temporary file.
    const QString save = interruptedsave();
    ASSERT_TRUE(QFile::rename(folder.filePath(save), folder.filePath("player.txt")));
    kept << save + "\n" << save.chopped(1) << save + "x" << save.chopped(1) + "-";
    for (const QString& name : kept) put(name, "keep");
    // Named exactly so, but no leftover of a save of this user's: a second
    // name of a file of the player's, a link, a folder, another user's file.
    QStringList others = {interruptedsave(), interruptedsave(), interruptedsave(), interruptedsave()};
    for (const QString& name : others) ASSERT_TRUE(QFile::remove(folder.filePath(name)));
    ASSERT_EQ(::link(at("player.txt").constData(), at(others[0]).constData()), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("player.txt"), folder.filePath(others[1])));
    ASSERT_TRUE(folder.mkdir(others[2]));
    if (geteuid() == 0) {
        put(others[3], "keep");
        ASSERT_EQ(::chown(at(others[3]).constData(), 12345, 12345), 0);
    } else {
        others.removeLast();
    }
    const QStringList before = folderentries();
    for (const QString& name : kept + removed + others) ASSERT_TRUE(before.contains(name)) << name.toStdString();

    std::optional<settingsclaim::Lock> claimed = settingsclaim::claim();
    ASSERT_TRUE(claimed);
    QStringList expected = before;
    for (const QString& name : removed) expected.removeOne(name);
    EXPECT_EQ(folderentries(), expected);
    QFile file(filepath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep");
    QFile player(folder.filePath("player.txt"));
    ASSERT_TRUE(player.open(QIODevice::ReadOnly));
    EXPECT_EQ(player.readAll(), "half a save");
}
