// Keyboard taps at chosen ticks: the gates, the played tick and position,
// the pitch walk and the closing cadence, and no taps outside a test.

#include "enginefixture.h"

#include <algorithm>

namespace {

class KeyboardTapTest : public EngineTest {
protected:
    KeyboardTapTest() {
        Module1.stlevel = 0;
        Module1.level = 0;  // crotchets: bar k's notes are due at (k-1)*240 + 0, 60, 120, 180
    }
    // Nothing of the test moved: no sound, no counter, no cell.
    struct Snapshot {
        size_t plays;
        int64_t played, allnotes, notecount, nextnote;
        std::vector<QString> playedcells;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const {
        Snapshot s{sound.plays.size(), w.notesplayedsofar, Module1.allnotes, w.notecount, w.nextnote, {}};
        for (int r = 0; r < w.notelist->ListCount(); ++r) s.playedcells.push_back(cell(r, 1));
        // The clicks of the clock are not the tap's doing.
        s.plays = size_t(std::count_if(sound.plays.begin(), sound.plays.end(),
                                       [](const auto& p) { return p.name != "hi.wav" && p.name != "low.wav"; }));
        return s;
    }
};

// When each mode takes its first taps: listen-and-play in the last 40 ticks
// of a LISTEN bar, continuous in the last 40 ticks of the count-in.
TEST_F(KeyboardTapTest, TheGatesOpenFortyTicksBeforeEachPlayingStretch) {
    struct Case {
        const char* name;
        bool listenplay;
        int64_t tempo;
        int64_t beats;
        int64_t at;            // ticks after the test's start
        bool consumed;         // the key does not reach the field
        bool taken;
        const char* playedtick;  // of the first note, when taken
    };
    const Case cases[] = {
        {"listen-and-play, count-in", true, 60, 4, 230, true, false, ""},
        {"listen-and-play, LISTEN bar before its last 40 ticks", true, 60, 4, 240 + 200, true, false, ""},
        {"listen-and-play, LISTEN bar's last 40 ticks", true, 60, 4, 240 + 201, true, true, "-39"},
        {"continuous, count-in before its last 40 ticks", false, 60, 4, 199, false, false, ""},
        {"continuous, count-in's last 40 ticks", false, 60, 4, 200, true, true, "-40"},
        {"continuous, a bar of 40 ticks takes taps from its start", false, 20, 2, 0, true, true, "-40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.listenplay = c.listenplay;
        Module1.tickspeed = c.tempo;
        w.beatsinbar = c.beats;
        const int64_t start = starttestnow();
        if (c.at > 0) afterpass(start + c.at);
        const Snapshot before = snapshot();
        EXPECT_EQ(tap(), c.consumed);
        if (c.taken) {
            EXPECT_EQ(cell(0, 1), c.playedtick);
            EXPECT_EQ(w.place[0], 0) << "an early downbeat is shown on the beat";
            EXPECT_EQ(w.notesplayedsofar, 1);
            EXPECT_EQ(Module1.allnotes, 1);
            EXPECT_EQ(w.notecount, 1);
        } else {
            EXPECT_EQ(snapshot(), before);
        }
        press();
    }
}

TEST_F(KeyboardTapTest, MidiInputLeavesTheKeyboardAlone) {
    w.listenplay = false;
    const int64_t start = starttestnow();
    Module1.midiinput = true;
    time.advanceToTick(start + 300);
    const Snapshot before = snapshot();
    EXPECT_TRUE(tap());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(KeyboardTapTest, ATapWritesItsTickPitchAndPlaceOnTheNextNote) {
    w.listenplay = false;
    const int64_t start = starttestnow();
    random->script = {2};  // the walk from the first tap's pitch 0
    EXPECT_TRUE(tapat(start + 240 - 12));  // just before bar 1
    EXPECT_EQ(w.place[0], 0) << "early for bar 1's first note: shown on its beat";
    random->script = {3};  // from 2
    EXPECT_TRUE(tapat(start + 240 + 55));  // early for the note due at 60
    random->script = {4};  // from 3
    EXPECT_TRUE(tapat(start + 240 + 125));
    EXPECT_EQ(cell(0, 1), "-12");
    EXPECT_EQ(cell(1, 1), "55");
    EXPECT_EQ(cell(2, 1), "125");
    EXPECT_EQ(cell(0, 3), "0");
    EXPECT_EQ(cell(1, 3), "2");
    EXPECT_EQ(cell(2, 3), "3");
    EXPECT_EQ(cell(3, 1), "");
    // Bar 1 began a new strip.
    EXPECT_EQ(w.place[0], 55) << "not on a bar's first beat: where it was played";
    EXPECT_EQ(w.place[1], 125);
    EXPECT_EQ(w.nextnote, 4);
    EXPECT_EQ(Module1.lastnoteplayed, 3);
    const std::vector<SamplePlay> heard = samplesplayed();
    EXPECT_EQ(heard, (std::vector<SamplePlay>{{0, start + 228}, {2, start + 295}, {3, start + 365}}));
}

// A tap on a bar's first beat, or just after it, that comes before the clock
// pass which starts the bar: the played tick is what it was, the strip shows
// the tap on the first beat, not at the end of the bar still running.
TEST_F(KeyboardTapTest, ATapOnTheDownbeatBeforeTheClockTurnsTheBarIsShownOnIt) {
    struct Case {
        const char* name;
        bool listenplay;
        int64_t beats;
        int64_t ontimetaps;  // bar 1's notes tapped on time first (continuous)
        int64_t downbeat;    // ticks after the test's start
        int64_t late;        // ticks after the downbeat that the tap reads
        const char* playedtick;
    };
    const Case cases[] = {
        {"continuous, bar 1's first beat", false, 4, 0, 240, 0, "0"},
        {"continuous, bar 1's first beat, a late pass", false, 4, 0, 240, 2, "2"},
        {"continuous, bar 2's first beat", false, 4, 4, 480, 0, "240"},
        {"continuous, five beats, bar 2's first beat", false, 5, 5, 600, 1, "301"},
        {"listen-and-play, PLAY bar 1's first beat", true, 4, 0, 480, 0, "0"},
        {"listen-and-play, five beats, a late pass", true, 5, 0, 600, 3, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.listenplay = c.listenplay;
        w.beatsinbar = c.beats;
        const int64_t start = starttestnow();
        for (int64_t k = 0; k < c.ontimetaps; ++k) {
            afterpass(start + 60 * c.beats + 60 * k);
            EXPECT_TRUE(tap());
        }
        // The last moment before the downbeat: every pass so far has run, and
        // the tap reads a tick the clock has not yet seen.
        beforetick(start + c.downbeat);
        const int64_t barstart = Module1.startruntime;
        time.scriptTicks({start + c.downbeat + c.late});
        EXPECT_TRUE(tap());
        ASSERT_EQ(Module1.startruntime, barstart) << "the clock has not turned the bar";
        EXPECT_EQ(cell(int(c.ontimetaps), 1), c.playedtick);
        EXPECT_EQ(w.place[size_t(w.notecount - 1)], 0);
        press();
    }
}

// After a tap that sounded the top note, the pitch drawn for the next tap is
// what the row records.
TEST_F(KeyboardTapTest, TheTopNoteRecordsThePitchDrawnAfterIt) {
    w.listenplay = false;
    Module1.level = 4;  // four notes a beat
    const int64_t start = starttestnow();
    random->script = {2, 4, 5, 6, 5};  // 0 -> 2 -> 4 -> 5 -> 6 -> 5
    for (int64_t at : {0, 15, 30, 45, 60}) EXPECT_TRUE(tapat(start + 240 + at));
    std::vector<int64_t> sounded;
    for (const auto& play : samplesplayed()) sounded.push_back(play.pitch);
    EXPECT_EQ(sounded, (std::vector<int64_t>{0, 2, 4, 5, 6}));
    EXPECT_EQ(cell(3, 3), "5");
    EXPECT_EQ(cell(4, 3), "5") << "sounded 6, records the 5 drawn for the next tap";
    EXPECT_EQ(Module1.lastnoteplayed, 5);
    EXPECT_EQ(w.nextnote, 5);
}

TEST_F(KeyboardTapTest, TheLastThreeTapsOfATestFallTwoOneZero) {
    w.listenplay = false;
    const int64_t start = starttestnow();
    // Bar 1 on page 0: however few of its notes are left, the walk chooses.
    for (int64_t at : {0, 60, 120}) EXPECT_TRUE(tapat(start + 240 + at));
    time.advanceToTick(start + 240 + 180);
    const size_t draws = random->ranges.size();
    EXPECT_TRUE(tap());
    EXPECT_EQ(random->ranges.size(), draws + 1);

    afterpass(start + 3 * 240 + 161);  // the last page: 15 notes in all
    ASSERT_EQ(w.pagenumber, 3);
    ASSERT_EQ(w.notessofar, 15);
    int64_t at = start + 3 * 240 + 170;
    for (int n = 5; n <= 11; ++n) EXPECT_TRUE(tapat(at++));
    const size_t walkdraws = random->ranges.size();
    const size_t heardbefore = samplesplayed().size();
    for (int64_t expected : {2, 1, 0, 0}) {
        EXPECT_TRUE(tapat(at++));
        EXPECT_EQ(w.nextnote, expected);
    }
    EXPECT_EQ(random->ranges.size(), walkdraws) << "the cadence draws nothing";
    std::vector<int64_t> sounded;
    for (size_t i = heardbefore + 1; i < samplesplayed().size(); ++i) sounded.push_back(samplesplayed()[i].pitch);
    EXPECT_EQ(sounded, (std::vector<int64_t>{2, 1, 0}));
    const Snapshot before = snapshot();
    EXPECT_TRUE(tapat(at++)) << "no note is left";
    EXPECT_EQ(snapshot(), before);
}

// In listen-and-play mode the clock passes over a bar that went untapped;
// taps then run ahead of the rows that exist, and sound without a row.
TEST_F(KeyboardTapTest, ATapWithNoRowLeftSoundsAndCountsOnly) {
    const int64_t start = starttestnow();
    afterpass(start + 960);  // PLAY bar 2 begins; bar 1 went by untapped
    ASSERT_EQ(Module1.allnotes, 4);
    ASSERT_EQ(w.notelist->ListCount(), 8);
    for (int64_t at = 0; at < 4; ++at) EXPECT_TRUE(tapat(start + 960 + at));
    const std::vector<int64_t> placed(w.place.begin(), w.place.begin() + 5);
    const size_t heard = samplesplayed().size();
    EXPECT_TRUE(tapat(start + 970));
    EXPECT_EQ(samplesplayed().size(), heard + 1);
    EXPECT_EQ(w.notesplayedsofar, 5);
    EXPECT_EQ(Module1.allnotes, 9);
    EXPECT_EQ(w.notecount, 5);
    EXPECT_EQ(std::vector<int64_t>(w.place.begin(), w.place.begin() + 5), placed);
    for (int r = 0; r < 4; ++r) EXPECT_EQ(cell(r, 1), "") << r;
    EXPECT_EQ(cell(7, 1), "243");
}

// Outside a running test the note table is finished or about to be emptied:
// no key press may write into it, sound, or move the counters.
TEST_F(KeyboardTapTest, NoTapsOutsideARunningTest) {
    EXPECT_TRUE(tap()) << "before any test";
    EXPECT_TRUE(samplesplayed().empty());

    for (bool listenplay : {true, false}) {
        SCOPED_TRACE(listenplay);
        w.listenplay = listenplay;
        // A test with its last notes untapped, then its end.
        const int64_t start = starttestnow();
        rununtilend();
        ASSERT_FALSE(w.Timer1.Enabled());
        Snapshot before = snapshot();
        EXPECT_TRUE(tap());
        EXPECT_EQ(snapshot(), before) << "after the end of the test";

        // Its start delay, with the last test's table still in place.
        press();
        time.advanceMs(1000);
        before = snapshot();
        EXPECT_TRUE(tap());
        EXPECT_EQ(snapshot(), before) << "in the start delay";

        // STOP in the middle of a test.
        time.advanceMs(1000);
        const int64_t started = Module1.startruntime;
        EXPECT_GT(started, start);
        time.advanceToTick(started + 400);
        press();
        before = snapshot();
        EXPECT_TRUE(tap());
        EXPECT_EQ(snapshot(), before) << "after STOP";
    }
}

}  // namespace
