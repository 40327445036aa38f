// The accuracy correction over small note tables, and the click in column 1.

#include "enginefixture.h"

#include <QLineEdit>

namespace {

class AccuracyCorrectionTest : public EngineTest {};

struct Row {
    int64_t due;
    QString played;         // "" for a note without a tap
    QString correctedplay;  // column 1 afterwards
    QString graph;          // column 2 afterwards
};

struct Case {
    const char* name;
    int64_t skillcorrect;
    int64_t tempo;
    int64_t beats;
    std::vector<Row> rows;  // row 0 first
};

const Case cases[] = {
    {"two-bar row starts at 60 ticks, 4 beats (m 480)", 0, 60, 4,
     {{0, "-12", "-12", "-12"},  // row 0 is copied, never moved back two bars
      {480, "476", "476", "-4"},
      {960, "955", "955", "475"},
      {960, "962", "962", "962"},
      {240, "236", "236", "236"},
      {960, "", "", "-480"},
      {300, "", "", "0"}}},
    {"first note without a tap", 0, 60, 4, {{0, "", "", ""}, {60, "61", "61", "61"}}},
    {"relaxed: two passes, never past the note", 2, 60, 4,
     {{0, "0", "0", "0"}, {300, "297", "299", "299"}, {360, "361", "360", "360"}, {420, "419", "420", "420"},
      {480, "", "", "-480"}}},
    {"medium: one tick off becomes exact, six late becomes five", 1, 60, 4,
     {{0, "1", "0", "0"}, {60, "59", "60", "60"}, {120, "126", "125", "125"}, {180, "180", "180", "180"}}},
    {"3 beats at 40 (m 240)", 0, 40, 3,
     {{0, "0", "0", "0"}, {240, "238", "238", "-2"}, {480, "478", "478", "238"}, {120, "118", "118", "118"}}},
    {"an early tap for a two-bar row start, corrected first", 2, 60, 2,
     {{0, "0", "0", "0"}, {240, "230", "232", "-8"}}},
};

TEST_F(AccuracyCorrectionTest, CorrectsPlayedTicksAndFillsGraphTicks) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.notelist->DeleteAllRows();
        Module1.skillcorrect = c.skillcorrect;
        Module1.lasttesttickspeed = c.tempo;
        w.lasttestbeatsinbar = c.beats;
        for (const Row& row : c.rows) {
            addnote(row.due, 3, "0");
            w.notelist->setCell(w.notelist->LastIndex(), 1, row.played);
        }
        w.correctnotelist();
        for (int r = 0; r < int(c.rows.size()); ++r) {
            SCOPED_TRACE(r);
            EXPECT_EQ(cell(r, 1), c.rows[size_t(r)].correctedplay);
            EXPECT_EQ(cell(r, 2), c.rows[size_t(r)].graph);
            EXPECT_EQ(cell(r, 0), QString::number(c.rows[size_t(r)].due));
            EXPECT_EQ(cell(r, 3), "3");
        }
    }
}

TEST_F(AccuracyCorrectionTest, EveryClickInColumnOneCorrectsAgainAndOpensTheColumn) {
    Module1.skillcorrect = 2;
    Module1.lasttesttickspeed = 60;
    w.lasttestbeatsinbar = 4;
    addnote(0);
    addnote(60);
    addnote(120);
    w.notelist->setCell(0, 1, "-10");
    w.notelist->setCell(1, 1, "70");
    w.notelist->setCell(2, 1, "");

    EXPECT_TRUE(w.notelist->CellClick(1, 1));
    EXPECT_EQ(cell(0, 1), "-8");
    EXPECT_EQ(cell(1, 1), "68");
    EXPECT_TRUE(w.notelist->CellClick(2, 1));
    EXPECT_EQ(cell(0, 1), "-6");
    EXPECT_EQ(cell(1, 1), "66");
    EXPECT_EQ(cell(2, 1), "");
    for (int r = 0; r < 3; ++r) EXPECT_TRUE(w.notelist->item(r, 1)->flags() & Qt::ItemIsEditable) << r;
    EXPECT_FALSE(w.notelist->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_NE(w.notelist->findChild<QLineEdit*>(), nullptr) << "the clicked cell is open for editing";
}

TEST_F(AccuracyCorrectionTest, ClicksInOtherColumnsAreLeftToTheTable) {
    Module1.skillcorrect = 2;
    Module1.lasttesttickspeed = 60;
    addnote(0);
    addnote(60);
    w.notelist->setCell(1, 1, "70");
    for (int column : {0, 2, 3, 4}) {
        SCOPED_TRACE(column);
        EXPECT_FALSE(w.notelist->CellClick(1, column));
        EXPECT_EQ(cell(1, 1), "70");
        EXPECT_EQ(cell(1, 2), "");
        EXPECT_FALSE(w.notelist->item(1, 1)->flags() & Qt::ItemIsEditable);
    }
}

// The beats of the finished test, not the options' beats now, lay out the
// graph ticks: a click after the options changed must not move taps.
TEST_F(AccuracyCorrectionTest, UsesTheShapeOfTheTestNotTheOptionsSetSince) {
    w.beatsinbar = 4;
    starttestnow();
    press();  // STOP: the test was 4 beats to the bar at 60
    w.notelist->DeleteAllRows();
    addnote(0);
    addnote(480);
    w.notelist->setCell(1, 1, "476");
    w.beatsinbar = 3;  // the options window, after the test
    w.notelist->CellClick(1, 1);
    EXPECT_EQ(cell(1, 2), "-4");
}

}  // namespace
