// One copy at a time per settings file, and the leftovers of an interrupted
// save: the start-up claim against a second lock holder, in this process and
// in a process killed while holding the lock.

#include "results/settingsclaim.h"
#include "support/appfixture.h"

#include <QDir>
#include <QFile>
#include <csignal>
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
};

}  // namespace

TEST_F(SettingsClaim, ASecondCopyIsToldAndTouchesNothing) {
    put(QStringLiteral("mydata.txt"), "the totals");
    std::optional<settingsclaim::Lock> first = settingsclaim::claim();
    ASSERT_TRUE(first);
    EXPECT_TRUE(messages.isEmpty());
    // The first copy's save is under way.
    put(QStringLiteral("mydata.txt.Ab12Cd"), "half a save");
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

TEST_F(SettingsClaim, OnlyTheTemporaryFilesOfASaveAreRemovedAtStart) {
    const QStringList kept = {
        "mydata.txt", "mydata.txt.lock", "mydata.txt.bak", "mydata.txt.Ab12C", "mydata.txt.Ab12Cde",
        "mydata.txt.Ab-12C", "mydata.txtx.Ab12Cd", "other.txt.Ab12Cd", "mydata.txt.Ab12Cd.old",
    };
    for (const QString& name : kept) put(name, "keep");
    const QStringList removed = {"mydata.txt.Ab12Cd", "mydata.txt.000000", "mydata.txt.zzZZzz"};
    for (const QString& name : removed) put(name, "left by a killed save");
    // A folder of that name is not a save's file.
    ASSERT_TRUE(QDir(programFolder()).mkdir(QStringLiteral("mydata.txt.Folder")));
    const QStringList before = folderentries();

    std::optional<settingsclaim::Lock> claimed = settingsclaim::claim();
    ASSERT_TRUE(claimed);
    QStringList expected = before;
    for (const QString& name : removed) expected.removeOne(name);
    EXPECT_EQ(folderentries(), expected);
    QFile file(filepath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep");
}
