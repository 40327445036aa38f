// The replay in virtual time: the recorded taps re-timed to the tempo now
// set, the metronome under them, and every way a replay ends.

#include "enginefixture.h"

#include "platform/ticks.h"
#include "results/resultswin.h"
#include "shell/catalogue.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <functional>

namespace {

class Replay : public EngineTest {
protected:
    // A finished test at `testtempo`: one row per played tick ("" for none),
    // with pitches 0, 1, 2 ... so each row's sample can be told apart.
    void recorded(int64_t testtempo, const std::vector<QString>& played) {
        Module1.lasttesttickspeed = testtempo;
        for (size_t row = 0; row < played.size(); ++row) {
            addnote(int64_t(row) * testtempo, int64_t(row % 7));
            w.notelist->setCell(int(row), 1, played[row]);
        }
    }
    resultswin& results() {
        w.BevelButton3_Action();
        return resultswin::instance();
    }
    bool showsplay() { return results().BevelButton1->Icon() == catalogue::picture("play"); }
    // Presses PLAY / STOP and returns the tick of the press.
    int64_t pressplay() {
        const int64_t at = platform::Ticks();
        results().BevelButton1->click();
        return at;
    }
    void runms(int64_t ms) {
        for (int64_t spent = 0; spent < ms; spent += 10) time.advanceMs(10);
    }
    std::vector<int64_t> sampleticks() const {
        std::vector<int64_t> ticks;
        for (const SamplePlay& play : samplesplayed()) ticks.push_back(play.tick);
        return ticks;
    }
};

std::vector<int64_t> minus(std::vector<int64_t> ticks, int64_t origin) {
    for (int64_t& t : ticks) t -= origin;
    return ticks;
}

}  // namespace

TEST_F(Replay, TapsSoundAtTheirTimesReTimedToTheTempoNowSet) {
    const struct { const char* name; int64_t testtempo, tempo; std::vector<QString> played; std::vector<int64_t> due; } cases[] = {
        {"unchanged tempo", 60, 60, {"0", "60", "120", "185"}, {0, 60, 120, 185}},
        {"slider moved from 60 to 30", 60, 30, {"0", "45", "90"}, {0, 22, 45}},
        {"at 80 the ticks pass through whole beat-sixtieths", 80, 80, {"3", "80"}, {2, 80}},
        {"a tap before bar 1 sounds in the first run", 60, 60, {"-3", "60"}, {0, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sound.plays.clear();
        w.notelist->DeleteAllRows();
        recorded(c.testtempo, c.played);
        w.Slider1->setValue(int(c.tempo));
        ASSERT_EQ(Module1.tickspeed, c.tempo);
        const int64_t start = pressplay();
        EXPECT_FALSE(showsplay());
        EXPECT_FALSE(w.Slider1->isEnabled());
        runms(5000);
        EXPECT_EQ(minus(sampleticks(), start), c.due);
        std::vector<int64_t> pitches;
        for (const SamplePlay& play : samplesplayed()) pitches.push_back(play.pitch);
        std::vector<int64_t> rows;
        for (size_t row = 0; row < c.played.size(); ++row) rows.push_back(int64_t(row % 7));
        EXPECT_EQ(pitches, rows);
        // It ended by itself in the run that sounded the last note.
        EXPECT_FALSE(w.replaytimer.Enabled());
        EXPECT_TRUE(showsplay());
        EXPECT_TRUE(w.Slider1->isEnabled());
    }
}

TEST_F(Replay, TwoTapsOnOneTickSoundOnSuccessiveRuns) {
    recorded(60, {"30", "30"});
    pressplay();
    while (sampleticks().empty() && w.replaytimer.Enabled()) time.advanceMs(10);
    EXPECT_EQ(sampleticks().size(), 1u);  // at most one note a run
    time.advanceMs(10);
    EXPECT_EQ(sampleticks().size(), 2u);
    EXPECT_FALSE(w.replaytimer.Enabled());
}

TEST_F(Replay, TheMetronomeClicksAtTheTempoNowSet) {
    w.lasttestbeatsinbar = 3;  // the replayed test's bars
    w.beatsinbar = 5;          // changed in the options since
    recorded(60, {"0", "250"});  // the last tap comes 125 ticks in at tempo 30
    w.Slider1->setValue(30);
    const int64_t start = pressplay();
    runms(5000);
    EXPECT_EQ(minus(playsof("hi.wav"), start), std::vector<int64_t>({0, 90}));
    EXPECT_EQ(minus(playsof("low.wav"), start), std::vector<int64_t>({30, 60, 120}));
    EXPECT_EQ(minus(sampleticks(), start), std::vector<int64_t>({0, 125}));
    EXPECT_FALSE(Module1.countin);  // a whole bar has passed
}

TEST_F(Replay, StopsAtTheFirstNoteThatGotNoTap) {
    recorded(60, {"0", "60", "120", "180", "", "300"});
    const int64_t start = pressplay();
    runms(10000);
    EXPECT_EQ(minus(sampleticks(), start), std::vector<int64_t>({0, 60, 120, 180}));
    EXPECT_FALSE(w.replaytimer.Enabled());
    EXPECT_TRUE(showsplay());
    EXPECT_TRUE(w.Slider1->isEnabled());
    // It stopped in the run after note 4, not at note 5's time.
    const std::vector<int64_t> clicks = playsof("low.wav");
    ASSERT_FALSE(clicks.empty());
    EXPECT_LT(clicks.back() - start, 240);
}

TEST_F(Replay, AFirstNoteWithoutATapEndsTheReplayAtOnce) {
    recorded(60, {"", "60"});
    pressplay();
    time.advanceMs(10);
    EXPECT_TRUE(sampleticks().empty());
    EXPECT_EQ(playsof("hi.wav").size(), 1u);  // only the start's click
    EXPECT_FALSE(w.replaytimer.Enabled());
    EXPECT_TRUE(showsplay());
    EXPECT_TRUE(w.Slider1->isEnabled());
}

TEST_F(Replay, PressingAgainStopsAndTheNextStartBeginsAtRowZero) {
    recorded(60, {"0", "60", "120", "180"});
    pressplay();
    runms(1100);  // rows 0 and 1 have sounded
    EXPECT_EQ(sampleticks().size(), 2u);
    pressplay();
    EXPECT_TRUE(showsplay());
    EXPECT_FALSE(w.replaytimer.Enabled());
    EXPECT_TRUE(w.Slider1->isEnabled());
    runms(3000);
    EXPECT_EQ(sampleticks().size(), 2u);

    sound.plays.clear();
    const int64_t again = pressplay();
    EXPECT_EQ(playsof("hi.wav"), std::vector<int64_t>({again}));  // one click at the press
    runms(5000);
    EXPECT_EQ(minus(sampleticks(), again), std::vector<int64_t>({0, 60, 120, 180}));
}

TEST_F(Replay, ClosingTheResultsWindowStopsItAtOnce) {
    recorded(60, {"0", "60", "120"});
    pressplay();
    runms(100);
    results().close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(resultswin::ifopen(), nullptr);
    EXPECT_FALSE(w.replaytimer.Enabled());
    EXPECT_TRUE(w.Slider1->isEnabled());
    const size_t heard = sound.plays.size();
    runms(3000);
    EXPECT_EQ(sound.plays.size(), heard);
    EXPECT_TRUE(showsplay());  // RESULTS makes a fresh window, idle
}

TEST_F(Replay, NeverRunsBesideATest) {
    recorded(60, {"0", "60", "120"});
    // START during a replay: the replay gives way at its next run, and the
    // slider stays locked for the test.
    pressplay();
    press();
    time.advanceMs(10);
    EXPECT_FALSE(w.replaytimer.Enabled());
    EXPECT_TRUE(showsplay());
    EXPECT_FALSE(w.Slider1->isEnabled());
    EXPECT_TRUE(sound.keptrunning) << "the replay's end does not let the test's sound output rest";
    // PLAY during the start delay and during the test does nothing.
    pressplay();
    EXPECT_TRUE(showsplay());
    EXPECT_FALSE(w.replaytimer.Enabled());
    time.advanceMs(2000);
    ASSERT_TRUE(w.Timer1.Enabled());
    const int64_t notesounded = w.lastnotesounded;
    pressplay();
    EXPECT_TRUE(showsplay());
    EXPECT_FALSE(w.replaytimer.Enabled());
    EXPECT_EQ(w.lastnotesounded, notesounded);
}

// The sound output is kept running from PLAY, before the first click, to
// every end of the replay, and may rest after it.
TEST_F(Replay, KeepsTheSoundOutputRunningUntilItEnds) {
    const struct { const char* name; std::vector<QString> played; std::function<void()> end; } cases[] = {
        {"every note sounded", {"0", "60"}, [] {}},
        {"a note without a tap", {"0", "", "120"}, [] {}},
        {"STOP pressed", {"0", "60", "120", "180"}, [this] { pressplay(); }},
        {"the results window closed", {"0", "60", "120", "180"}, [this] { results().close(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sound.plays.clear();
        w.notelist->DeleteAllRows();
        recorded(60, c.played);
        EXPECT_FALSE(sound.keptrunning);
        pressplay();
        EXPECT_TRUE(sound.keptrunning);
        runms(1500);
        c.end();
        runms(3000);
        EXPECT_FALSE(w.replaytimer.Enabled());
        EXPECT_FALSE(sound.keptrunning);
        ASSERT_FALSE(sound.plays.empty());
        EXPECT_TRUE(std::all_of(sound.plays.begin(), sound.plays.end(), [](const auto& play) { return play.kept; }));
    }
}

TEST_F(Replay, NothingToPlayWithAnEmptyTableOrNoTestTempo) {
    pressplay();  // no rows
    EXPECT_TRUE(showsplay());
    EXPECT_FALSE(w.replaytimer.Enabled());
    EXPECT_TRUE(w.Slider1->isEnabled());
    addnote(0);
    w.notelist->setCell(0, 1, QStringLiteral("0"));
    Module1.lasttesttickspeed = 0;  // STOP in the first start delay: no test has run
    pressplay();
    EXPECT_TRUE(showsplay());
    EXPECT_FALSE(w.replaytimer.Enabled());
}
