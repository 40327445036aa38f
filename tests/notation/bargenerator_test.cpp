// The bar generator: one bar per refresh of Canvas1 while Timer1 runs.

#include "notationfixture.h"

#include "shell/module1.h"
#include "support/programstate.h"

#include <QCoreApplication>

namespace {

class BarGeneratorTest : public NotationFixture {
protected:
    // The due ticks of the rows whose column 4 holds a code: one per
    // sounding beat that began a group.
    QStringList groupStarts() const {
        QStringList starts;
        for (const QStringList& row : rows())
            if (!row[4].isEmpty()) starts << row[0] + ":" + row[4];
        return starts;
    }
    int codeDraws() const {
        int count = 0;
        for (const auto& range : random->ranges)
            if (range == std::make_pair(Module1.stlevel, Module1.level)) ++count;
        return count;
    }
};

TEST_F(BarGeneratorTest, AShortTestOfThreeBeatBarsPageByPage) {
    startTest(60, 3, 4);
    Module1.stlevel = 0;
    Module1.level = 5;

    // Page 0, made during the count-in: the first beat is a forced crotchet.
    draws.newBar();
    draws.notes(1);                  // beat 1: code 0, no draw
    draws.code(2), draws.notes(2);   // beat 2: quavers
    draws.code(1);                   // beat 3: a rest
    w->Canvas1->Refresh();
    EXPECT_EQ(w->pagenumber, 0);
    EXPECT_EQ(w->notessofar, 3);
    EXPECT_EQ(w->startofnote, 120);
    EXPECT_EQ(groupStarts(), QStringList({"0:0", "60:2"}));

    Module1.countin = false;
    draws.newBar();
    draws.code(4), draws.notes(4);   // 180: after a silent beat, 4 is taken at once
    draws.code(0), draws.notes(1);
    draws.code(2), draws.notes(2);
    w->Canvas1->Refresh();
    EXPECT_EQ(w->pagenumber, 1);
    EXPECT_EQ(w->notessofar, 10);

    draws.newBar();
    draws.code(0), draws.notes(1);
    draws.code(0), draws.notes(1);
    draws.code(0), draws.notes(1);
    w->Canvas1->Refresh();
    EXPECT_EQ(w->pagenumber, 2);

    // The last page: two beats, the second the forced closing crotchet.
    draws.newBar();
    draws.code(2), draws.notes(2);
    draws.notes(1);
    w->Canvas1->Refresh();
    EXPECT_EQ(w->pagenumber, 3);
    EXPECT_TRUE(random->script.empty());

    EXPECT_EQ(groupStarts(), QStringList({"0:0", "60:2", "180:4", "240:0", "300:2", "360:0", "420:0", "480:0",
                                          "540:2", "600:0"}));
    EXPECT_EQ(column(0), QStringList({"0", "60", "90", "180", "195", "210", "225", "240", "300", "330", "360",
                                      "420", "480", "540", "570", "600"}));
    EXPECT_EQ(w->notessofar, w->notelist->ListCount());
    // Every bar's melody starts afresh from the bottom note.
    EXPECT_EQ(w->notelist->Cell(0, 3), "1");
    EXPECT_EQ(w->notelist->Cell(3, 3), "1");
    EXPECT_EQ(w->notelist->Cell(13, 3), "1");
    EXPECT_EQ(w->notelist->Cell(15, 3), "1");
}

TEST_F(BarGeneratorTest, BeatBasesRunOnWithoutGapsAcrossPages) {
    // Four bars of four beats at tempo 60, every beat a crotchet: the beats
    // start at 0, 60, ... 840, three on the last page.
    startTest(60, 4, 4);
    Module1.stlevel = 0;
    Module1.level = 0;
    for (int bar = 0; bar < 4; ++bar) {
        w->Canvas1->Refresh();
        Module1.countin = false;
    }
    QStringList expected;
    for (int beat = 0; beat < 15; ++beat) expected << QString::number(beat * 60);
    EXPECT_EQ(column(0), expected);
    EXPECT_EQ(w->pagenumber, 3);
    EXPECT_EQ(w->startofnote, 3 * 180 + 120);  // 3 steps a page, 2 on the last
}

TEST_F(BarGeneratorTest, ThePageNeverPassesTheLastBar) {
    startTest(60, 4, 4);
    Module1.stlevel = 0;
    Module1.level = 0;
    Module1.countin = false;
    w->notelist->AddRow("0");
    w->pagenumber = 4;  // = bars: a full bar of drawn beats, no forced closing
    w->Canvas1->Refresh();
    EXPECT_EQ(w->pagenumber, 4);
    EXPECT_EQ(codeDraws(), 4);
    EXPECT_EQ(w->notelist->ListCount(), 5);
    EXPECT_EQ(w->startofnote, 180);

    w->pagenumber = 6;  // past the end already: left where it is
    w->Canvas1->Refresh();
    EXPECT_EQ(w->pagenumber, 6);
}

TEST_F(BarGeneratorTest, NoRandomRestRightAfterASilentBeat) {
    // The previous beat is silent only when more than one beat lies between
    // the last note and this beat's base.
    struct Row {
        const char* lastNote;  // due tick of the row added last
        int64_t startofnote;
        bool silent;
    };
    const Row rows_[] = {
        {"120", 180, false},  // exactly one beat: the last note began on the previous beat
        {"119", 180, true},
        {"150", 180, false},  // a note late in the previous beat (code 3's)
        {"60", 180, true},
        {"0", 0, false},
    };
    for (const Row& row : rows_) {
        SCOPED_TRACE(row.lastNote);
        startTest(60, 4, 4);
        Module1.stlevel = 0;
        Module1.level = 30;
        w->notelist->AddRow(row.lastNote);
        w->startofnote = row.startofnote;
        random->script = {1, 1, 8};
        random->ranges.clear();
        const int64_t code = w->choosecode(2);
        EXPECT_EQ(code, row.silent ? 8 : 1);  // 8 and 19, rests too, are taken
        EXPECT_EQ(random->ranges.size(), row.silent ? 3u : 1u);
        Window1::destroy();
    }
}

TEST_F(BarGeneratorTest, SilentBeatRuleAcrossTheBarAndWithinIt) {
    startTest(60, 4, 8);
    Module1.stlevel = 0;
    Module1.level = 5;
    draws.newBar();
    draws.notes(1);                 // 0: crotchet (forced)
    draws.code(1);                  // 60: rest, fine after a sounding beat
    draws.code(1), draws.code(1), draws.code(3), draws.notes(1);  // 120: redrawn twice, sniff at 150
    draws.code(1);                  // 180: sniff made beat 3 sounding, so a rest is kept
    w->Canvas1->Refresh();
    Module1.countin = false;
    draws.newBar();
    draws.code(1), draws.code(5), draws.notes(3);  // 240: the rest of 180 was silent
    draws.code(0), draws.notes(1);
    draws.code(0), draws.notes(1);
    draws.code(0), draws.notes(1);
    w->Canvas1->Refresh();
    EXPECT_TRUE(random->script.empty());
    EXPECT_EQ(groupStarts(), QStringList({"0:0", "150:3", "240:5", "300:0", "360:0", "420:0"}));
}

TEST_F(BarGeneratorTest, DrawsStayInTheLevelRange) {
    const std::pair<int64_t, int64_t> levels[] = {{9, 11}, {0, 17}, {0, 30}};
    for (const auto& [lo, hi] : levels) {
        SCOPED_TRACE(hi);
        startTest(45, 5, 8);
        Module1.stlevel = lo;
        Module1.level = hi;
        for (int bar = 0; bar < 8; ++bar) {
            w->Canvas1->Refresh();
            Module1.countin = false;
        }
        EXPECT_EQ(w->pagenumber, 7);
        int ordinaryBeats = 0;
        for (const QStringList& row : rows()) {
            if (row[4].isEmpty()) continue;
            const int64_t code = row[4].toLongLong();
            EXPECT_TRUE(code == 0 || (code >= lo && code <= hi)) << code;
        }
        for (const auto& range : random->ranges)
            if (range == std::make_pair(lo, hi)) ++ordinaryBeats;
        EXPECT_GE(ordinaryBeats, 8 * 5 - 2 - 1);  // all but the first, the closing and the rest
        EXPECT_EQ(w->notessofar, w->notelist->ListCount());
        random->ranges.clear();
        Window1::destroy();
    }
}

TEST_F(BarGeneratorTest, ARepeatedTestTakesEveryBeatFromTheRepeatList) {
    startTest(60, 3, 4);
    Module1.retest = true;
    Module1.stlevel = 0;
    Module1.level = 30;
    // Eleven beats (4 bars of 3, less the closing rest); the last sounding
    // beat would be a forced crotchet in an ordinary test.
    const QStringList codes = {"0", "4", "1", "21", "1", "2", "0", "7", "1", "1", "13"};
    for (const QString& code : codes) w->retestlist->AddRow(code);
    for (int bar = 0; bar < 4; ++bar) {
        w->Canvas1->Refresh();
        Module1.countin = false;
    }
    EXPECT_EQ(w->refreshrow, 11);
    EXPECT_EQ(codeDraws(), 0);
    EXPECT_EQ(groupStarts(), QStringList({"0:0", "60:4", "210:21", "300:2", "360:0", "420:7", "620:13"}));
}

TEST_F(BarGeneratorTest, AShortOrDamagedRepeatListFallsBackToOrdinaryBeats) {
    startTest(60, 4, 4);
    Module1.retest = true;
    Module1.stlevel = 0;
    Module1.level = 2;
    // Row 0 unreadable (the first note is still forced), row 1 outside the
    // table, row 2 a real code; then the list ends (the test grew).
    for (const char* code : {"x", "31", "4"}) w->retestlist->AddRow(code);
    draws.newBar();
    draws.notes(1);
    draws.code(2), draws.notes(2);
    draws.notes(4);                 // row 2: semiquavers, no draw
    draws.code(0), draws.notes(1);  // past the end of the list
    w->Canvas1->Refresh();
    EXPECT_TRUE(random->script.empty());
    EXPECT_EQ(groupStarts(), QStringList({"0:0", "60:2", "120:4", "180:0"}));
    EXPECT_EQ(w->refreshrow, 4);
    EXPECT_EQ(w->notessofar, 8);
}

TEST_F(BarGeneratorTest, GroupsAreDrawnAtAQuarterOfTheirWidthFigures) {
    // Solid stand-ins, 40 pixels square, drawn 10 pixels square.
    shipPicture("crot", Qt::red, 40, 40);
    shipPicture("quav", Qt::green, 40, 40);
    shipPicture("semi", Qt::blue, 40, 40);
    shipPicture("CR", Qt::yellow, 40, 40);
    startTest(60, 4, 4);
    Module1.stlevel = 0;
    Module1.level = 4;
    draws.newBar();
    draws.notes(1);
    draws.code(2), draws.notes(2);
    draws.code(4), draws.notes(4);
    draws.code(1);
    w->Canvas1->Refresh();
    // Width figures 201, 286, 430: x runs 0, 50, 121, 228.
    EXPECT_EQ(canvas1Pixel(235, 105), QColor(Qt::red));
    EXPECT_EQ(canvas1Pixel(285, 105), QColor(Qt::green));
    EXPECT_EQ(canvas1Pixel(356, 105), QColor(Qt::blue));
    EXPECT_EQ(canvas1Pixel(463, 105), QColor(Qt::yellow));
    EXPECT_NE(canvas1Pixel(245, 105), QColor(Qt::red));  // a quarter of 40 is 10 pixels

    // The last page: two drawn beats, the closing crotchet, then the rest
    // picture that has no note row.
    Module1.countin = false;
    w->pagenumber = 2;
    draws.newBar();
    draws.code(2), draws.notes(2);
    draws.code(4), draws.notes(4);
    draws.notes(1);
    const int rowsBefore = w->notelist->ListCount();
    w->Canvas1->Refresh();
    EXPECT_EQ(w->pagenumber, 3);
    EXPECT_EQ(w->notelist->ListCount(), rowsBefore + 7);
    EXPECT_TRUE(random->script.empty());
    EXPECT_EQ(canvas1Pixel(235, 105), QColor(Qt::green));
    EXPECT_EQ(canvas1Pixel(306, 105), QColor(Qt::blue));
    EXPECT_EQ(canvas1Pixel(413, 105), QColor(Qt::red));
    EXPECT_EQ(canvas1Pixel(463, 105), QColor(Qt::yellow));
}

// The staff line of the backdrop ends at x 719. Five beats of semiquavers
// (width figure 430) put the last group at 230 + 428: a picture 248 wide
// ends on the line's last pixel and the bar is drawn as ever, at a quarter
// from y 100; 4 pixels more and the whole bar is drawn smaller.
TEST_F(BarGeneratorTest, ABarThatFitsTheStaffIsDrawnAtAQuarter) {
    for (int width : {40, 248, 252}) {
        SCOPED_TRACE(width);
        const bool fits = width <= 248;
        shipPicture("semi", Qt::blue, width, 40);
        startTest(60, 5, 4);
        Module1.countin = false;
        Module1.stlevel = 0;
        Module1.level = 30;
        w->notelist->AddRow("0");  // past the test's forced first crotchet
        draws.newBar();
        for (int beat = 0; beat < 5; ++beat) draws.code(4), draws.notes(4);
        w->Canvas1->Refresh();
        ASSERT_TRUE(random->script.empty());
        const int quarter = width / 4;
        for (int left : {230, 337, 444, 551, 658}) {  // x 0, 107, 214, 321, 428
            EXPECT_EQ(canvas1Pixel(left, 100) == QColor(Qt::blue), fits) << left;
            if (!fits) continue;
            EXPECT_EQ(canvas1Pixel(left + quarter - 1, 109), QColor(Qt::blue)) << left;
            EXPECT_NE(canvas1Pixel(left - 1, 105), QColor(Qt::blue)) << left;
            EXPECT_NE(canvas1Pixel(left, 110), QColor(Qt::blue)) << left;
        }
        EXPECT_NE(canvas1Pixel(720, 105), QColor(Qt::blue));
        forgetProgramState();  // the next width's picture is loaded afresh
    }
}

TEST_F(BarGeneratorTest, ABarTooWideForTheStaffIsDrawnSmallerToEndOnIt) {
    // Five beats of six semiquavers (width figure 638), their ink filling a
    // picture 600 wide: 230 + 4 x 159.5 + 150 would end at x 1018.
    shipPicture("ssssss", Qt::blue, 600, 480);
    startTest(60, 5, 4);
    Module1.countin = false;
    Module1.stlevel = 14;
    Module1.level = 14;
    w->notelist->AddRow("0");
    draws.newBar();
    for (int beat = 0; beat < 5; ++beat) draws.code(14), draws.notes(6);
    w->Canvas1->Refresh();
    ASSERT_TRUE(random->script.empty());

    // Scale 0.25 x 490 / 788: each picture 93.3 pixels square, advances of
    // 99.2 pixels, the noteheads' row kept on the staff line at y 180.
    int groups = 0;
    bool inGroup = false;
    int right = 0;
    for (int x = 0; x < 725; ++x) {
        const bool blue = canvas1Pixel(x, 180) == QColor(Qt::blue);
        if (blue && !inGroup) ++groups;
        if (blue) right = x;
        inGroup = blue;
    }
    EXPECT_EQ(groups, 5);
    EXPECT_LE(right, 719);
    EXPECT_GE(right, 716);
    for (int left : {230, 329, 428, 527, 626}) {
        EXPECT_EQ(canvas1Pixel(left + 2, 140), QColor(Qt::blue)) << left;
        EXPECT_NE(canvas1Pixel(left - 2, 140), QColor(Qt::blue)) << left;
    }
    EXPECT_NE(canvas1Pixel(240, 128), QColor(Qt::blue)) << "the top moved down from y 100";
    EXPECT_EQ(canvas1Pixel(240, 132), QColor(Qt::blue));
    EXPECT_EQ(canvas1Pixel(240, 203), QColor(Qt::blue));
    EXPECT_NE(canvas1Pixel(240, 207), QColor(Qt::blue));

    // The notes and their timing are those of the bar at full size.
    EXPECT_EQ(w->notelist->ListCount(), 1 + 30);
    EXPECT_EQ(w->notessofar, 30);
    EXPECT_EQ(w->notelist->Cell(1, 0), "60");
    EXPECT_EQ(w->notelist->Cell(30, 0), "350");
}

TEST_F(BarGeneratorTest, AWindowSystemRepaintShowsTheBarWithoutMakingAnother) {
    startTest(60, 4, 4);
    w->frame().show();
    w->Canvas1->Refresh();
    const int rowsAfterBar = w->notelist->ListCount();
    Module1.countin = false;
    w->Canvas1->repaint();
    w->frame().hide();
    w->frame().show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w->notelist->ListCount(), rowsAfterBar);
    EXPECT_EQ(w->pagenumber, 0);
}

}  // namespace
