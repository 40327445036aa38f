// The tick / beat-sixtieth conversions and the pitch walk.

#include "shell/module1.h"
#include "shell/window1.h"
#include "support/appfixture.h"

#include <set>

namespace {

class TimeUnitsTest : public AppFixture {};

struct TempoRow {
    int64_t tempo;
    int64_t ts7, ts15, ts20, ts44, ts45, ts60;
    int64_t place1, place41, placeMinus1;
};

// Includes the cases where dividing first leaves the product just under a
// whole number (ts(44) at 75 is 54, tempoplace(41) at 20 is 122).
const TempoRow tempoRows[] = {
    {20, 2, 5, 6, 14, 15, 20, 3, 122, -3},
    {45, 5, 11, 15, 33, 33, 45, 1, 54, -1},
    {60, 7, 15, 20, 44, 45, 60, 1, 41, -1},
    {75, 8, 18, 25, 54, 56, 75, 0, 32, 0},
    {80, 9, 20, 26, 58, 60, 80, 0, 30, 0},
};

TEST_F(TimeUnitsTest, TsAndTempoplaceAtTheTestTempo) {
    Window1& w = openWindow();
    for (const TempoRow& row : tempoRows) {
        SCOPED_TRACE(row.tempo);
        Module1.lasttesttickspeed = row.tempo;
        Module1.tickspeed = 33;  // the slider must not matter
        EXPECT_EQ(w.ts(0), 0);
        EXPECT_EQ(w.ts(7), row.ts7);
        EXPECT_EQ(w.ts(15), row.ts15);
        EXPECT_EQ(w.ts(20), row.ts20);
        EXPECT_EQ(w.ts(44), row.ts44);
        EXPECT_EQ(w.ts(45), row.ts45);
        EXPECT_EQ(w.ts(60), row.ts60);
        EXPECT_EQ(w.tempoplace(0), 0);
        EXPECT_EQ(w.tempoplace(1), row.place1);
        EXPECT_EQ(w.tempoplace(41), row.place41);
        EXPECT_EQ(w.tempoplace(-1), row.placeMinus1);
    }
}

TEST_F(TimeUnitsTest, OneBeatIsExactlyTheTempoAtEveryTempo) {
    Window1& w = openWindow();
    for (int64_t tempo = 20; tempo <= 80; ++tempo) {
        Module1.lasttesttickspeed = tempo;
        Module1.tickspeed = 100 - tempo;
        EXPECT_EQ(w.ts(60), tempo);
        EXPECT_EQ(w.replaymetts(60), 100 - tempo);
    }
    Module1.lasttesttickspeed = 80;
    EXPECT_EQ(w.tempoplace(w.ts(20)), 19);  // a round trip can lose a sixtieth
}

TEST_F(TimeUnitsTest, ReplayRetimesThroughWholeBeatSixtieths) {
    Window1& w = openWindow();
    struct Row {
        int64_t tick, testTempo, nowTempo, expected;
    };
    const Row rows[] = {
        {45, 60, 30, 22},  {-10, 60, 30, -5}, {240, 60, 40, 160}, {100, 80, 20, 25},
        {3, 80, 80, 2},    {41, 20, 20, 40},  {59, 60, 80, 78},   {-41, 20, 20, -40},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tick);
        Module1.lasttesttickspeed = row.testTempo;
        Module1.tickspeed = row.nowTempo;
        EXPECT_EQ(w.replayts(row.tick), row.expected);
    }
    Module1.tickspeed = 75;
    EXPECT_EQ(w.replaymetts(44), 54);
}

TEST_F(TimeUnitsTest, NoTempoYetPlacesEverythingAtZero) {
    Window1& w = openWindow();
    Module1.lasttesttickspeed = 0;
    Module1.tickspeed = 60;
    EXPECT_EQ(w.ts(60), 0);
    EXPECT_EQ(w.tempoplace(41), 0);
    EXPECT_EQ(w.replayts(41), 0);
    Module1.lasttesttickspeed = -5;  // a damaged tempo
    EXPECT_EQ(w.tempoplace(41), 0);
}

TEST_F(TimeUnitsTest, PitchWalkDrawsFromItsRangeAndNeverRepeats) {
    Window1& w = openWindow();
    struct Row {
        int64_t previous, lo, hi;
        std::set<QString> possible;
    };
    const Row rows[] = {
        {0, 1, 2, {"1", "2"}},           {1, 0, 2, {"0", "2"}}, {2, 0, 4, {"0", "1", "3", "4"}},
        {3, 2, 4, {"2", "4"}},           {4, 0, 5, {"0", "1", "2", "3", "5"}},
        {5, 4, 6, {"4", "6"}},           {6, 4, 5, {"4", "5"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.previous);
        std::set<QString> seen;
        for (int i = 0; i < 200; ++i) {
            random->ranges.clear();
            const QString next = w.createnote(row.previous);
            ASSERT_FALSE(random->ranges.empty());
            for (const auto& range : random->ranges) EXPECT_EQ(range, std::make_pair(row.lo, row.hi));
            seen.insert(next);
        }
        EXPECT_EQ(seen, row.possible);
    }
}

TEST_F(TimeUnitsTest, PitchWalkRedrawsUntilThePitchChanges) {
    Window1& w = openWindow();
    random->script = {2, 2, 2, 4};
    EXPECT_EQ(w.createnote(2), "4");
    EXPECT_EQ(random->ranges.size(), 4u);  // every redraw moves the shared sequence on
    random->script = {1};
    EXPECT_EQ(w.createnote(0), "1");
    random->script = {5, 5, 6};
    EXPECT_EQ(w.createnote(5), "6");
}

TEST_F(TimeUnitsTest, PitchOutsideTheScaleRestartsAtTheBottomWithoutDrawing) {
    Window1& w = openWindow();
    for (int64_t previous : {7, -1, 100}) {
        random->ranges.clear();
        EXPECT_EQ(w.createnote(previous), "0");
        EXPECT_TRUE(random->ranges.empty());
    }
}

}  // namespace
