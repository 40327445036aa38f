// The end of a test on the main window: the result box, the totals, the file.

#include "results/scrambler.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "support/appfixture.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>

namespace {

class ShowResults : public AppFixture {
protected:
    void finished(Window1& w, const std::vector<std::pair<int, const char*>>& notes) {
        w.notelist->DeleteAllRows();
        for (const auto& [due, played] : notes) {
            w.notelist->AddRow(QString::number(due));
            w.notelist->setCell(w.notelist->LastIndex(), 1, QString::fromLatin1(played));
        }
    }
    QString filepath() const { return QDir(programFolder()).filePath(QStringLiteral("mydata.txt")); }
};

}  // namespace

TEST_F(ShowResults, ShowsTheResultFoldsTheTotalsAndSaves) {
    Window1& w = openWindow();
    EXPECT_FALSE(w.resultbox->isVisibleTo(&w.frame()));
    finished(w, {{0, "0"}, {60, "60"}, {120, "123"}, {180, ""}});
    w.showresults();
    EXPECT_TRUE(w.resultbox->isVisibleTo(&w.frame()));
    EXPECT_EQ(w.perfect->text(), "Perfect hits = 2");
    EXPECT_EQ(w.close->text(), "Near perfect hits 1");
    EXPECT_EQ(w.whoops->text(), "whoops a daisy 1");
    EXPECT_EQ(w.summary->text(), "You played 3 notes but missed out 1 and were 65% accurate");
    EXPECT_EQ(w.summary2->text(), "You are generally well behind the beat ");
    EXPECT_EQ(Module1.totaltests, 1);
    EXPECT_EQ(Module1.totalnotes, 4);
    EXPECT_EQ(w.ttestslabel->text(), "Number of tests 1");
    EXPECT_EQ(w.tnoteslabel->text(), "Notes played 4");
    EXPECT_EQ(w.tacclabel->text(), "Accuracy 65%");
    EXPECT_EQ(w.thitslabel->text(), "Perfect hits 50%");
    EXPECT_EQ(w.tnearlabel->text(), "Pretty close hits 25%");
    EXPECT_EQ(w.tmisslabel->text(), "Way off hits 25%");
    QFile file(filepath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(scrambler::decpw(QString::fromUtf8(file.readLine()).trimmed(), 0), "1");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ShowResults, BalancedSumsClearTheVerdictLine) {
    Window1& w = openWindow();
    finished(w, {{0, "0"}, {60, "70"}});
    w.showresults();
    EXPECT_EQ(w.summary2->text(), "You are generally behind the beat ");
    finished(w, {{0, "2"}, {60, "58"}});
    w.showresults();
    EXPECT_EQ(w.summary2->text(), "");
    EXPECT_EQ(Module1.totaltests, 2);
}

TEST_F(ShowResults, AFailedSaveStillShowsTheResultAndTheTotals) {
    ASSERT_TRUE(QDir(programFolder()).mkdir(QStringLiteral("mydata.txt")));
    Window1& w = openWindow();
    finished(w, {{0, "0"}});
    w.showresults();
    EXPECT_EQ(w.summary2->text(), "That couldn't have been more perfect!");
    EXPECT_EQ(w.ttestslabel->text(), "Number of tests 1");
    // One message when the open could not read it, one when the save could not write it.
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].contains(QStringLiteral("could not be saved")));
    EXPECT_TRUE(messages[1].contains(QStringLiteral("mydata.txt")));
}
