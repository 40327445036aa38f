// RESULTS, NEW TEST and the tempo slider.

#include "enginefixture.h"

#include "results/resultswin.h"
#include "shell/catalogue.h"

TEST_F(EngineTest, ResultsSizesTheWindowByTheTestsShape) {
    const struct { int64_t bars, beats; int height, width; } cases[] = {
        {4, 2, 220, 530}, {8, 3, 340, 770}, {12, 4, 460, 1010}, {16, 5, 580, 1250},
    };
    for (const auto& c : cases) {
        // The shape captured when the test started; the options changed since do not count.
        w.lasttestbars = c.bars;
        w.lasttestbeatsinbar = c.beats;
        w.bars = 16 - c.bars + 4;
        w.beatsinbar = 7 - c.beats;
        w.BevelButton3_Action();
        resultswin& results = resultswin::instance();
        EXPECT_EQ(results.Height(), c.height) << c.bars;
        EXPECT_EQ(results.Width(), c.width) << c.beats;
        EXPECT_EQ(results.windowTitle(), "Results");
        EXPECT_TRUE(results.isVisible());
    }
}

TEST_F(EngineTest, ResultsOnAnOpenWindowRepaintsThatWindow) {
    w.BevelButton3_Action();
    resultswin* first = resultswin::ifopen();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->BevelButton1->Icon() == catalogue::picture("play"));
    // A note entered since: the repaint shows its written dot.
    const QImage before = first->Canvas1->backing();
    Module1.lasttesttickspeed = 60;
    addnote(0);
    w.BevelButton3_Action();
    EXPECT_EQ(resultswin::ifopen(), first);
    EXPECT_NE(first->Canvas1->backing(), before);
}

TEST_F(EngineTest, NewTestDrawsTheNextTestAfresh) {
    Module1.reptest = true;
    Module1.retest = true;
    w.retestlist->AddRow(QStringLiteral("0"));
    w.retestlist->AddRow(QStringLiteral("5"));
    w.BevelButton1->setIcon(catalogue::picture("repeat"));
    w.BevelButton5->show();
    for (int press = 0; press < 2; ++press) {  // a second press changes nothing further
        w.BevelButton5_Action();
        EXPECT_FALSE(Module1.retest);
        EXPECT_TRUE(Module1.reptest);
        EXPECT_TRUE(w.BevelButton1->Icon() == catalogue::picture("go"));
        EXPECT_EQ(w.retestlist->ListCount(), 0);
        EXPECT_FALSE(w.BevelButton5->isHidden());
    }
}

TEST_F(EngineTest, TheSliderSetsTheTempoAndItsLabel) {
    const struct { int value; const char* label; } cases[] = {
        {20, "180 bpm"}, {30, "120 bpm"}, {45, "80 bpm"}, {55, "65 bpm"}, {60, "60 bpm"}, {70, "51 bpm"}, {80, "45 bpm"},
    };
    for (const auto& c : cases) {
        w.Slider1->setValue(c.value);
        EXPECT_EQ(Module1.tickspeed, c.value);
        EXPECT_EQ(w.tempolabel->text(), c.label);
    }
    EXPECT_EQ(w.Slider1->minimum(), 20);
    EXPECT_EQ(w.Slider1->maximum(), 80);
}
