// START, the two-second delay, the start of a test, and STOP in every phase.

#include "enginefixture.h"

#include "shell/catalogue.h"

#include <algorithm>

namespace {

class TestStartTest : public EngineTest {
protected:
    TestStartTest() {
        // Every beat a crotchet: bar 1 is rows 0, 60, 120, 180 at tempo 60.
        Module1.stlevel = 0;
        Module1.level = 0;
    }
    bool shows(platform::PictureButton* button, const char* picture) const {
        return button->Icon() == catalogue::picture(picture);
    }
    void expectatrest(const char* startpicture) {
        EXPECT_TRUE(shows(w.BevelButton1, startpicture));
        EXPECT_FALSE(w.prestarttimer.Enabled());
        EXPECT_FALSE(w.Timer1.Enabled());
        EXPECT_TRUE(w.Slider1->isEnabled());
        EXPECT_TRUE(w.BevelButton3->isEnabled());
        EXPECT_TRUE(shows(w.BevelButton3, "results"));
        EXPECT_TRUE(w.BevelButton2->isEnabled());
        EXPECT_TRUE(shows(w.BevelButton2, "options"));
        EXPECT_TRUE(Module1.countin);
        EXPECT_TRUE(w.lisplaylabel->isHidden());
        EXPECT_TRUE(w.resultbox->isHidden());
        EXPECT_FALSE(sound.keptrunning) << "the sound output may rest";
    }
};

TEST_F(TestStartTest, StartLocksTheWindowAndCountsTwoSecondsFromThePress) {
    w.resultbox->show();
    w.BevelButton5->show();
    addnote(0);  // the last test's table stays until the test starts
    time.advanceMs(500);
    press();
    EXPECT_TRUE(shows(w.BevelButton1, "stop"));
    EXPECT_TRUE(w.prestarttimer.Enabled());
    EXPECT_FALSE(w.BevelButton3->isEnabled());
    EXPECT_TRUE(shows(w.BevelButton3, "resultslight"));
    EXPECT_FALSE(w.BevelButton2->isEnabled());
    EXPECT_TRUE(shows(w.BevelButton2, "optionslight"));
    EXPECT_FALSE(w.Slider1->isEnabled());
    EXPECT_TRUE(w.resultbox->isHidden());
    EXPECT_TRUE(w.BevelButton5->isHidden());
    EXPECT_TRUE(w.BevelButton4->isEnabled());
    EXPECT_TRUE(w.PopupMenu1->isEnabled());
    EXPECT_EQ(w.notelist->ListCount(), 1);
    EXPECT_TRUE(sound.plays.empty());
    EXPECT_TRUE(sound.keptrunning) << "the sound output starts in the delay, before the first click";

    time.advanceMs(1990);
    EXPECT_FALSE(w.Timer1.Enabled()) << "the delay runs from the press";
    time.advanceMs(10);
    EXPECT_FALSE(w.prestarttimer.Enabled());
    EXPECT_TRUE(w.Timer1.Enabled());
    EXPECT_EQ(w.Timer1.Period(), 10);
}

TEST_F(TestStartTest, StartTestResetsTheTestAndCountsIn) {
    // What a completed test leaves behind.
    Module1.tickspeed = 45;
    w.place.fill(7);
    w.notecount = 3;
    addnote(0);
    addnote(60);
    w.pagenumber = 3;
    w.startofnote = 180;
    Module1.metcount = 2;
    Module1.allnotes = 9;
    w.notessofar = 9;
    w.notesplayedsofar = 9;
    w.nextnote = 4;
    w.listening = true;
    w.lastnotesounded = 5;
    w.refreshcanvas2 = true;
    w.refreshrow = 6;
    w.newpagecheck = true;
    w.lastticktime = 33;
    w.newtick = 12;
    Module1.lastnoteplayed = 2;
    w.beatsinbar = 3;
    w.bars = 8;

    const int64_t start = starttestnow();
    EXPECT_EQ(start, 120);
    EXPECT_EQ(w.continuoustime, start);
    EXPECT_EQ(playsof("hi.wav"), std::vector<int64_t>{120});
    EXPECT_TRUE(std::all_of(w.place.begin(), w.place.end(), [](int64_t p) { return p == -1; }));
    EXPECT_EQ(w.notecount, 0);
    EXPECT_EQ(w.startofnote, 90) << "bar 1 was generated: three crotchets at 45 ticks";
    EXPECT_EQ(w.pagenumber, 0);
    EXPECT_EQ(Module1.metcount, 0);
    EXPECT_EQ(Module1.allnotes, 0);
    EXPECT_EQ(w.notessofar, 3);
    EXPECT_EQ(w.notesplayedsofar, 0);
    EXPECT_EQ(w.nextnote, 0);
    EXPECT_FALSE(w.listening);
    EXPECT_EQ(w.lastnotesounded, 0);
    EXPECT_FALSE(w.refreshcanvas2);
    EXPECT_EQ(w.refreshrow, 0);
    EXPECT_FALSE(w.newpagecheck);
    EXPECT_EQ(w.lastticktime, 0);
    EXPECT_EQ(w.newtick, 0);
    EXPECT_EQ(Module1.lastnoteplayed, -1);
    EXPECT_TRUE(Module1.countin);
    EXPECT_EQ(Module1.lasttesttickspeed, 45);
    EXPECT_EQ(w.lasttestbeatsinbar, 3);
    EXPECT_EQ(w.lasttestbars, 8);
    ASSERT_EQ(w.notelist->ListCount(), 3);
    EXPECT_EQ(cell(0, 0), "0");
    EXPECT_EQ(cell(2, 0), "90");
    EXPECT_EQ(cell(0, 1), "");
    EXPECT_FALSE(w.lisplaylabel->isHidden());
    EXPECT_EQ(labeltext(), "COUNT IN");
    EXPECT_EQ(labelcolour(), 0xFF0000u);
    EXPECT_TRUE(w.TextField1->text().isEmpty());
}

// The metronome's bar and the due-tick axis must start on one tick, or every
// played tick of the test sits a tick off the clicks it was played to.
TEST_F(TestStartTest, BothOriginsComeFromOneReadingOfTheClock) {
    press();
    time.advanceMs(1990);
    // The first reading is the recorded hi click's; the clock then moves on
    // between the next two.
    time.scriptTicks({120, 125, 126});
    time.advanceMs(10);
    EXPECT_EQ(Module1.startruntime, 125);
    EXPECT_EQ(w.continuoustime, 125);
}

TEST_F(TestStartTest, StopInTheDelayStartsNothingAndLeavesTheLastTestAsItWas) {
    Module1.skillcorrect = 2;
    Module1.lasttesttickspeed = 60;
    // The last test's table, corrected and scored when it ended.
    addnote(0);
    addnote(60);
    w.notelist->setCell(0, 1, "-9");
    w.notelist->setCell(1, 1, "65");
    press();
    time.advanceMs(1000);
    press();
    time.advanceMs(5000);
    expectatrest("go");
    EXPECT_EQ(cell(0, 1), "-9") << "no second correction over an already scored test";
    EXPECT_EQ(cell(1, 1), "65");
    EXPECT_EQ(cell(1, 2), "");
    EXPECT_TRUE(sound.plays.empty());
}

TEST_F(TestStartTest, StopInTheCountInKeepsBarOneAndCorrectsItsRows) {
    starttestnow();
    time.advanceMs(1000);
    press();
    expectatrest("go");
    ASSERT_EQ(w.notelist->ListCount(), 4);
    EXPECT_EQ(cell(3, 2), "0") << "the correction ran: unplayed rows have their graph tick";
    const size_t clicks = sound.plays.size();
    time.advanceMs(5000);
    EXPECT_EQ(sound.plays.size(), clicks) << "the clock is stopped";
}

// A bar of one note (the first beat's crotchet, then rests) is too short to
// correct at STOP; two notes are not.
TEST_F(TestStartTest, StopCorrectsOnlyATableOfTwoRowsOrMore) {
    struct Case {
        int64_t level;
        int rows;
        const char* played;
    };
    for (const Case& c : {Case{1, 1, "-30"}, Case{0, 4, "-29"}}) {
        SCOPED_TRACE(c.rows);
        Module1.stlevel = c.level;
        Module1.level = c.level;
        Module1.skillcorrect = 1;
        w.listenplay = false;  // taps are taken in the count-in's last 40 ticks
        const int64_t start = starttestnow();
        ASSERT_EQ(w.notelist->ListCount(), c.rows);
        EXPECT_TRUE(tapat(start + 210));
        EXPECT_EQ(cell(0, 1), "-30");
        press();
        EXPECT_EQ(cell(0, 1), c.played);
    }
}

TEST_F(TestStartTest, StopInRepeatModeNeedsARepeatList) {
    struct Case {
        bool reptest;
        bool withlist;
        const char* picture;
        bool newtestshown;
    };
    const Case cases[] = {{true, true, "repeat", true}, {true, false, "go", false}, {false, true, "go", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.reptest << c.withlist);
        Module1.reptest = c.reptest;
        Module1.retest = c.withlist;
        w.retestlist->DeleteAllRows();
        if (c.withlist)
            for (const char* code : {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"})
                w.retestlist->AddRow(code);
        starttestnow();
        time.advanceMs(3000);
        press();
        expectatrest(c.picture);
        EXPECT_EQ(w.BevelButton5->isHidden(), !c.newtestshown);
        EXPECT_EQ(Module1.retest, c.withlist) << "STOP leaves the repeat as it was";
        EXPECT_EQ(w.retestlist->ListCount(), c.withlist ? 15 : 0);
        w.BevelButton5->hide();
    }
}

TEST_F(TestStartTest, RepeatTestStartsLikeStartAndOtherPicturesDoNothing) {
    w.BevelButton1->setIcon(catalogue::picture("repeat"));
    press();
    EXPECT_TRUE(shows(w.BevelButton1, "stop"));
    EXPECT_TRUE(w.prestarttimer.Enabled());
    press();

    w.BevelButton1->setIcon(catalogue::picture("help"));
    press();
    EXPECT_TRUE(shows(w.BevelButton1, "help"));
    EXPECT_FALSE(w.prestarttimer.Enabled());
    time.advanceMs(3000);
    EXPECT_FALSE(w.Timer1.Enabled());
}

}  // namespace
