// Whole tests bar by bar in virtual time: the metronome, the LISTEN notes,
// the labels, the page changes, the strip, the end of the test, and the
// clock's own exception handler.

#include "enginefixture.h"

#include "platform/messagebox.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "shell/catalogue.h"

#include <QStringList>
#include <algorithm>

namespace {

struct Shape {
    bool listenplay;
    int64_t beats;
    int64_t tempo;
    int64_t bars;
    int64_t level;  // every drawn beat takes this code
};

class TestClockTest : public EngineTest {
protected:
    void setshape(const Shape& s) {
        w.listenplay = s.listenplay;
        w.beatsinbar = s.beats;
        w.bars = s.bars;
        Module1.tickspeed = s.tempo;
        Module1.stlevel = s.level;
        Module1.level = s.level;
    }
    int64_t barticks() const { return Module1.lasttesttickspeed * w.beatsinbar; }
    // The tick at which a player exactly in time taps the note due at `due`:
    // in listen-and-play mode bar k is played after its LISTEN bar, in
    // continuous mode straight after the count-in.
    int64_t taptick(int64_t start, int64_t due) const {
        const int64_t b = barticks();
        return w.listenplay ? start + (due / b + 2) * b + due : start + b + due;
    }
    // Taps every note at its due tick until the test ends.
    void playintime(int64_t start) {
        while (w.Timer1.Enabled()) {
            if (Module1.allnotes < w.notelist->ListCount()) {
                const int64_t at = taptick(start, platform::ValInteger(cell(int(Module1.allnotes), 0)));
                ASSERT_GE(at, platform::Ticks()) << "the note's row came too late to be tapped";
                time.advanceToTick(at);
                if (!w.Timer1.Enabled()) break;
                EXPECT_TRUE(tap());
            } else {
                time.advanceMs(10);
            }
        }
    }
    QStringList column(int c) const {
        QStringList cells;
        for (int r = 0; r < w.notelist->ListCount(); ++r) cells << cell(r, c);
        return cells;
    }
};

const Shape shapes[] = {
    {true, 4, 60, 4, 0},  {true, 2, 20, 4, 4},  {true, 5, 80, 4, 14}, {true, 3, 45, 8, 26},
    {false, 4, 60, 4, 0}, {false, 2, 20, 4, 4}, {false, 5, 80, 4, 14}, {false, 3, 75, 4, 10},
};

// Clicks, LISTEN notes, taps and the end of the test for every mode, 2 to 5
// beats and tempos from 20 to 80 ticks a beat.
TEST_F(TestClockTest, WholeTestsInTimeRecordEveryTapOnItsNote) {
    for (const Shape& s : shapes) {
        SCOPED_TRACE(testing::Message() << (s.listenplay ? "listen-and-play " : "continuous ") << s.beats
                                        << " beats at " << s.tempo << ", code " << s.level);
        setshape(s);
        sound.plays.clear();
        const int64_t start = starttestnow();
        const int64_t b = s.tempo;
        const int64_t bar = b * s.beats;
        const int64_t lead = s.listenplay ? 1 : w.ts(Module1.earlychange);
        const int64_t bartimes = s.listenplay ? 2 * s.bars + 1 : s.bars + 1;  // bars begun, count-in included
        const int64_t end = start + (bartimes - 1) * bar + (bar - lead + 1);

        playintime(start);
        EXPECT_FALSE(w.Timer1.Enabled());
        EXPECT_EQ(platform::Ticks(), end) << "the test ends at the last bar's page change";
        EXPECT_TRUE(std::all_of(sound.plays.begin(), sound.plays.end(), [](const auto& play) { return play.kept; }))
            << "every click, note and tap sounds while the output is kept running";
        EXPECT_FALSE(sound.keptrunning) << "the test's end lets it rest";

        std::vector<int64_t> his, lows;
        for (int64_t j = 0; j < bartimes; ++j) {
            his.push_back(start + j * bar);
            for (int64_t i = 1; i < s.beats; ++i)
                if (start + j * bar + i * b < end) lows.push_back(start + j * bar + i * b);
        }
        EXPECT_EQ(playsof("hi.wav"), his);
        EXPECT_EQ(playsof("low.wav"), lows);

        // Every note tapped on its due tick, with the correction's graph tick.
        const QStringList due = column(0);
        EXPECT_EQ(column(1), due);
        EXPECT_EQ(w.notesplayedsofar, due.size());
        EXPECT_EQ(w.notessofar, due.size());
        EXPECT_EQ(w.pagenumber, s.bars - 1);

        // LISTEN bars play every note at its due tick, the first with the
        // bar's hi click, at the pitch the bar generator gave it; the taps
        // sound the walk's pitches.
        std::vector<int64_t> listenticks;
        for (const auto& play : samplesplayed()) listenticks.push_back(play.tick);
        std::vector<int64_t> expected;
        for (const QString& d : due) {
            const int64_t tick = platform::ValInteger(d);
            if (s.listenplay) {
                expected.push_back(start + (tick / bar + 1) * bar + tick);
            }
            expected.push_back(taptick(start, tick));
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(listenticks, expected);

        EXPECT_TRUE(w.BevelButton1->Icon() == catalogue::picture("go"));
        EXPECT_TRUE(w.BevelButton3->isEnabled());
        EXPECT_TRUE(w.BevelButton3->Icon() == catalogue::picture("results"));
        EXPECT_TRUE(w.BevelButton2->isEnabled());
        EXPECT_TRUE(w.Slider1->isEnabled());
        EXPECT_TRUE(w.lisplaylabel->isHidden());
        EXPECT_TRUE(w.BevelButton5->isHidden());
    }
}

TEST_F(TestClockTest, ListenBarsPlayTheirNotesAtThePitchesOfTheTable) {
    setshape({true, 4, 60, 4, 2});  // quavers: two notes a beat
    const int64_t start = starttestnow();
    QStringList pitches = column(3);
    time.advanceToTick(start + 2 * 240);  // the end of LISTEN bar 1
    std::vector<SamplePlay> heard = samplesplayed();
    ASSERT_EQ(heard.size(), size_t(pitches.size()));
    for (size_t i = 0; i < heard.size(); ++i) {
        EXPECT_EQ(heard[i].pitch, platform::ValInteger(pitches[int(i)])) << i;
        EXPECT_EQ(heard[i].tick, start + 240 + platform::ValInteger(cell(int(i), 0))) << i;
    }
}

TEST_F(TestClockTest, LabelsFollowTheCountInListenAndPlay) {
    struct Moment {
        int64_t bartime;  // ticks after the test's start
        const char* text;
        QRgb colour;
    };
    // Listen-and-play, 4 beats at 60: count-in 0..239, LISTEN 1 240..479,
    // PLAY 1 480..719, page change at 720.
    const Moment listen[] = {{0, "COUNT IN", 0xFF0000}, {239, "COUNT IN", 0xFF0000}, {240, "LISTEN", 0xFF0000},
                             {419, "LISTEN", 0xFF0000},  {420, "PLAY", 0x00E000},     {719, "PLAY", 0x00E000},
                             {720, "LISTEN ", 0xFF0000}, {899, "LISTEN ", 0xFF0000},  {900, "PLAY", 0x00E000},
                             {1140, "PLAY", 0x00E000},   {1200, "LISTEN ", 0xFF0000}};
    // Continuous: "PLAY" from the count-in's last beat to the end.
    const Moment continuous[] = {
        {0, "COUNT IN", 0xFF0000}, {179, "COUNT IN", 0xFF0000}, {180, "PLAY", 0x00E000}, {1000, "PLAY", 0x00E000}};
    for (bool listenplay : {true, false}) {
        SCOPED_TRACE(listenplay);
        setshape({listenplay, 4, 60, 4, 0});
        const int64_t start = starttestnow();
        for (const Moment& m : listenplay ? std::vector<Moment>(std::begin(listen), std::end(listen))
                                          : std::vector<Moment>(std::begin(continuous), std::end(continuous))) {
            SCOPED_TRACE(m.bartime);
            afterpass(start + m.bartime);
            EXPECT_EQ(labeltext(), m.text);
            EXPECT_EQ(labelcolour(), m.colour);
            EXPECT_FALSE(w.lisplaylabel->isHidden());
        }
        rununtilend();
        EXPECT_TRUE(w.lisplaylabel->isHidden());
    }
}

// The next bar comes a tick before the bar's end in listen-and-play mode and
// ts(earlychange) before it in continuous mode.
TEST_F(TestClockTest, PagesChangeAtTheirLead) {
    struct Case {
        bool listenplay;
        int64_t beats;
        int64_t earlychange;
        std::vector<int64_t> pagechanges;  // ticks after the start, pages 1..3
    };
    const Case cases[] = {
        {true, 4, 80, {720, 1200, 1680}},
        {false, 4, 80, {240 + 161, 480 + 161, 720 + 161}},
        {false, 2, 100, {120 + 21, 240 + 21, 360 + 21}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.listenplay << " " << c.beats << " " << c.earlychange);
        setshape({c.listenplay, c.beats, 60, 4, 0});
        Module1.earlychange = c.earlychange;
        const int64_t start = starttestnow();
        for (size_t page = 0; page < c.pagechanges.size(); ++page) {
            afterpass(start + c.pagechanges[page] - 1);
            EXPECT_EQ(w.pagenumber, int64_t(page)) << "not before its tick";
            const int rows = w.notelist->ListCount();
            afterpass(start + c.pagechanges[page]);
            EXPECT_EQ(w.pagenumber, int64_t(page + 1));
            EXPECT_GT(w.notelist->ListCount(), rows) << "the next bar is in the table";
        }
        rununtilend();
    }
}

// A PLAY bar's untapped notes are passed over at the page change, so the
// player's next tap goes to the bar now being heard; in continuous mode
// nothing is passed over.
TEST_F(TestClockTest, UntappedNotesArePassedOverInListenAndPlayOnly) {
    setshape({true, 4, 60, 4, 0});
    int64_t start = starttestnow();
    afterpass(start + 720);  // PLAY bar 1 went by untapped
    EXPECT_EQ(Module1.allnotes, 4);
    EXPECT_TRUE(tapat(start + 960));  // bar 2's first note, as PLAY bar 2 begins
    EXPECT_EQ(cell(4, 1), "240");
    rununtilend();
    for (int r = 0; r < 4; ++r) EXPECT_EQ(cell(r, 1), "") << r;

    setshape({false, 4, 60, 4, 0});
    start = starttestnow();
    EXPECT_TRUE(tapat(start + 240 + 60));  // meant for the second note: lands on the first
    EXPECT_EQ(cell(0, 1), "60");
    EXPECT_EQ(cell(1, 1), "");
}

TEST_F(TestClockTest, TheStripIsClearedOnceShortlyBeforeEachBarEnds) {
    setshape({false, 4, 60, 4, 0});
    const int64_t start = starttestnow();
    EXPECT_TRUE(tapat(start + 240 + 60));
    EXPECT_EQ(w.place[0], 60);
    afterpass(start + 240 + 230);
    EXPECT_EQ(w.place[0], 60) << "bar time 230 is too early";
    afterpass(start + 240 + 231);
    EXPECT_EQ(w.place[0], -1);
    EXPECT_TRUE(w.refreshcanvas2);
    EXPECT_TRUE(tapat(start + 240 + 233));  // after the clearing, shown on the emptied strip
    time.advanceToTick(start + 240 + 236);
    EXPECT_EQ(w.place[1], 233) << "no second clearing in the same bar";
    EXPECT_EQ(w.notecount, 2);
    afterpass(start + 480);
    EXPECT_EQ(w.notecount, 0) << "the bar end starts the strip's taps again";
}

// A completed test leaves a page change pending; when the count-in's bar end
// then comes a pass after the pass that ends the count-in, the next test
// must not turn its first page inside the count-in.
TEST_F(TestClockTest, ACountInNeverTurnsAPage) {
    setshape({true, 4, 60, 4, 0});
    starttestnow();
    rununtilend();
    ASSERT_TRUE(w.newpagecheck);

    sound.plays.clear();
    const int64_t start = starttestnow();
    beforetick(start + 240);
    // The first pass at 240 reads bar time 239 for its beat test; by its
    // end-of-count-in test the clock reads 240.
    time.scriptTicks({start + 239});
    afterpass(start + 240);
    EXPECT_FALSE(Module1.countin);
    EXPECT_EQ(playsof("hi.wav").size(), 1u) << "the count-in's bar end is a pass late";
    time.advanceMs(10);
    EXPECT_EQ(playsof("hi.wav").size(), 2u);
    EXPECT_EQ(w.pagenumber, 0);
    EXPECT_EQ(w.notelist->ListCount(), 4) << "bar 1 only";
    EXPECT_EQ(Module1.allnotes, 0) << "bar 1's notes are still to be played";
}

TEST_F(TestClockTest, TheEndOfARepeatTestPreparesTheRepeat) {
    setshape({false, 4, 60, 4, 2});
    Module1.reptest = true;
    Module1.skillcorrect = 1;
    const int64_t start = starttestnow();
    EXPECT_TRUE(tapat(start + 240 + 3));
    rununtilend();
    EXPECT_TRUE(w.BevelButton1->Icon() == catalogue::picture("repeat"));
    EXPECT_TRUE(Module1.retest);
    EXPECT_FALSE(w.BevelButton5->isHidden());
    EXPECT_EQ(w.retestlist->ListCount(), 15);
    EXPECT_EQ(cell(0, 1), "2") << "corrected once";
    EXPECT_EQ(cell(0, 2), "2");
    const QStringList due = column(0);
    const QStringList codes = column(4);

    // REPEAT TEST: the same bars again.
    starttestnow();
    rununtilend();
    EXPECT_EQ(column(0), due);
    EXPECT_EQ(column(4), codes);
}

// Next-bar values only a damaged settings file can bring must not keep the
// page change, and with it the end of the test, from ever coming.
TEST_F(TestClockTest, ADamagedNextBarValueStillEndsTheTest) {
    for (int64_t earlychange : {0, -40, 5000}) {
        SCOPED_TRACE(earlychange);
        setshape({false, 4, 60, 4, 0});
        Module1.earlychange = earlychange;
        const int64_t start = starttestnow();
        rununtilend(20000);
        EXPECT_FALSE(w.Timer1.Enabled());
        EXPECT_GE(platform::Ticks(), start + 960);
        EXPECT_LE(platform::Ticks(), start + 1200);
    }
}

// The clock's own handler: a failing pass shows "Timer1" and the test goes
// on. While the box waits for the player the clock keeps firing; the passes
// that fail meanwhile add no second box.
TEST_F(TestClockTest, AFailingPassShowsTimer1OneBoxAtATimeAndTheTestGoesOn) {
    setshape({true, 4, 60, 4, 0});
    int depth = 0;
    int deepest = 0;
    platform::setMessagePresenter([&](const QString& text) {
        ++depth;
        deepest = std::max(deepest, depth);
        messages << text;
        if (depth == 1)
            for (int pass = 0; pass < 5; ++pass) w.Timer1.fire();  // the box's own event loop
        --depth;
    });
    const int64_t start = starttestnow();
    w.notelist->setCell(1, 3, "9");  // no such sample
    afterpass(start + 240 + 60);
    EXPECT_EQ(messages, QStringList{"Timer1"});
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(w.lastnotesounded, 1);
    time.advanceMs(10);
    EXPECT_EQ(messages.size(), 2) << "the cause persists: the next pass fails again";
    w.notelist->setCell(1, 3, "2");
    rununtilend();
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(w.lastnotesounded, w.notelist->ListCount());
    EXPECT_EQ(w.pagenumber, 3) << "the test went on to its end";
}

}  // namespace
