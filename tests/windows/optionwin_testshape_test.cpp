// Beats in bar, number of bars, mode, the repeat option, the next-bar time
// and the accuracy setting: each control writes its value at once, and a new
// window shows it again.

#include "platform/text.h"
#include "shell/catalogue.h"
#include "shell/module1.h"
#include "windows/windowsfixture.h"

#include <vector>

namespace {

struct Choice {
    windows::RadioButton* optionwin::*radio;
    int64_t value;
};

const std::vector<Choice> beatchoices = {{&optionwin::RadioButton9, 2},
                                         {&optionwin::RadioButton10, 3},
                                         {&optionwin::RadioButton11, 4},
                                         {&optionwin::RadioButton12, 5}};
const std::vector<Choice> barchoices = {{&optionwin::RadioButton13, 4},
                                        {&optionwin::RadioButton14, 8},
                                        {&optionwin::RadioButton15, 12},
                                        {&optionwin::RadioButton16, 16}};

}  // namespace

class OptionsTestShape : public WindowsTest {
protected:
    // The state that the end of a completed test leaves with the repeat option on.
    void pendrepeat() {
        Module1.reptest = true;
        Module1.retest = true;
        for (const char* code : {"0", "2", "1", "5"}) w.retestlist->AddRow(QString::fromLatin1(code));
        w.BevelButton1->setIcon(catalogue::picture("repeat"));
    }
    void expectrepeatcancelled() {
        EXPECT_FALSE(Module1.retest);
        EXPECT_EQ(w.retestlist->ListCount(), 0);
        EXPECT_EQ(w.BevelButton1->Icon(), catalogue::picture("go"));
    }
    void expectrepeatpending() {
        EXPECT_TRUE(Module1.retest);
        EXPECT_EQ(w.retestlist->ListCount(), 4);
        EXPECT_EQ(w.BevelButton1->Icon(), catalogue::picture("repeat"));
    }
};

TEST_F(OptionsTestShape, BeatsAndBarsRoundTrip) {
    for (const Choice& c : beatchoices) {
        SCOPED_TRACE(c.value);
        optionwin& o = reopenoptions();
        if (c.value == 4) o.RadioButton9->click();
        (o.*c.radio)->click();
        EXPECT_EQ(w.beatsinbar, c.value);
        EXPECT_TRUE((reopenoptions().*c.radio)->Value());
    }
    for (const Choice& c : barchoices) {
        SCOPED_TRACE(c.value);
        optionwin& o = reopenoptions();
        if (c.value == 4) o.RadioButton16->click();
        (o.*c.radio)->click();
        EXPECT_EQ(w.bars, c.value);
        EXPECT_TRUE((reopenoptions().*c.radio)->Value());
    }
}

TEST_F(OptionsTestShape, ModeDecidesWhetherTheNextBarTimeApplies) {
    optionwin& o = openoptions();
    o.RadioButton18->click();
    EXPECT_FALSE(w.listenplay);
    EXPECT_TRUE(o.Slider1->isEnabled());
    optionwin& again = reopenoptions();
    EXPECT_TRUE(again.RadioButton18->Value());
    EXPECT_TRUE(again.Slider1->isEnabled());
    again.RadioButton17->click();
    EXPECT_TRUE(w.listenplay);
    EXPECT_FALSE(again.Slider1->isEnabled());
    EXPECT_EQ(Module1.earlychange, 80);
}

TEST_F(OptionsTestShape, NextBarSliderWritesTheLead) {
    const struct {
        QAbstractSlider::SliderAction move;
        int64_t earlychange;
    } cases[] = {{QAbstractSlider::SliderToMinimum, 100},
                 {QAbstractSlider::SliderToMaximum, 10},
                 {QAbstractSlider::SliderPageStepSub, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.earlychange);
        optionwin& o = reopenoptions();
        o.RadioButton18->click();
        o.Slider1->triggerAction(c.move);
        EXPECT_EQ(Module1.earlychange, c.earlychange);
        EXPECT_EQ(o.Label14->text(), platform::Str(c.earlychange));
        EXPECT_EQ(reopenoptions().Slider1->value(), 100 - c.earlychange);
    }
}

TEST_F(OptionsTestShape, AccuracyRoundTrips) {
    const char* rows[] = {"Most accurate (60th of a second)", "Medium", "Relaxed"};
    for (int row : {2, 1, 0}) {
        optionwin& o = reopenoptions();
        o.PopupMenu1->setCurrentIndex(row);
        EXPECT_EQ(Module1.skillcorrect, row);
        EXPECT_EQ(reopenoptions().PopupMenu1->currentText(), rows[row]);
    }
}

TEST_F(OptionsTestShape, TickingRepeatOnlyArmsIt) {
    optionwin& o = openoptions();
    o.CheckBox2->click();
    EXPECT_TRUE(Module1.reptest);
    EXPECT_FALSE(Module1.retest);
    EXPECT_EQ(w.BevelButton1->Icon(), catalogue::picture("go"));
    EXPECT_TRUE(reopenoptions().CheckBox2->Value());
}

TEST_F(OptionsTestShape, UntickingRepeatEndsAPendingRepeat) {
    pendrepeat();
    optionwin& o = openoptions();
    ASSERT_TRUE(o.CheckBox2->Value());
    o.CheckBox2->click();
    EXPECT_FALSE(Module1.reptest);
    expectrepeatcancelled();
    EXPECT_FALSE(reopenoptions().CheckBox2->Value());
}

TEST_F(OptionsTestShape, UntickingRepeatLeavesOtherStartPicturesAlone) {
    Module1.reptest = true;
    Module1.retest = true;
    w.retestlist->AddRow(QStringLiteral("0"));
    const auto stop = catalogue::picture("stop");
    w.BevelButton1->setIcon(stop);
    openoptions().CheckBox2->click();
    EXPECT_FALSE(Module1.retest);
    EXPECT_EQ(w.retestlist->ListCount(), 0);
    EXPECT_EQ(w.BevelButton1->Icon(), stop);
}

// The stored test stays pending through any change of shape: a longer
// repeat draws the beats the list lacks as ordinary ones, a shorter one takes
// the list's first rows.
TEST_F(OptionsTestShape, ANewTestShapeKeepsAPendingRepeat) {
    pendrepeat();
    optionwin& o = openoptions();
    for (auto radio : {&optionwin::RadioButton10, &optionwin::RadioButton11}) {  // 4 -> 3 -> 4 beats
        (o.*radio)->click();
        expectrepeatpending();
    }
    EXPECT_EQ(w.beatsinbar, 4);
    for (const auto& choices : {beatchoices, barchoices}) {
        for (const Choice& c : choices) {
            SCOPED_TRACE(c.value);
            (reopenoptions().*c.radio)->click();
            expectrepeatpending();
        }
    }
    EXPECT_EQ(w.beatsinbar, 5);
    EXPECT_EQ(w.bars, 16);
    EXPECT_EQ(w.retestlist->Cell(1, 0), "2");
    EXPECT_EQ(w.retestlist->Cell(3, 0), "5");
}

TEST_F(OptionsTestShape, OpeningOrRechoosingTheSameShapeKeepsTheRepeat) {
    pendrepeat();
    optionwin& o = openoptions();
    expectrepeatpending();
    o.RadioButton11->setValue(true);
    o.RadioButton13->setValue(true);
    expectrepeatpending();
}
