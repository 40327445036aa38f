// Opening the options window: every control shows the current settings, and
// opening writes no setting.

#include "platform/text.h"
#include "shell/catalogue.h"
#include "shell/module1.h"
#include "windows/windowsfixture.h"

#include <vector>

using OptionsOpen = WindowsTest;

TEST_F(OptionsOpen, DefaultsShowAsDesigned) {
    optionwin& o = openoptions();
    EXPECT_TRUE(o.RadioButton1->Value());
    EXPECT_TRUE(o.RadioButton11->Value());
    EXPECT_TRUE(o.RadioButton13->Value());
    EXPECT_TRUE(o.RadioButton17->Value());
    EXPECT_TRUE(o.RadioButton19->Value());
    EXPECT_FALSE(o.RadioButton20->Value());
    EXPECT_EQ(o.Slider1->value(), 20);
    EXPECT_EQ(o.Label14->text(), "80");
    EXPECT_FALSE(o.CheckBox2->Value());
    EXPECT_FALSE(o.CheckBox1->Value());
    EXPECT_EQ(o.PopupMenu1->count(), 3);
    EXPECT_EQ(o.PopupMenu1->currentText(), "Most accurate (60th of a second)");
    // Listen then copy: the next-bar time does not apply; keyboard: no device list.
    EXPECT_FALSE(o.Slider1->isEnabled());
    EXPECT_TRUE(o.Listbox1->isHidden());
    EXPECT_EQ(o.windowTitle(), "Options");
    EXPECT_EQ(o.size(), QSize(830, 560));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(OptionsOpen, OpeningWritesNoSetting) {
    Module1.level = 11;
    Module1.stlevel = 9;
    Module1.earlychange = 150;  // a damaged settings file may hold anything here
    Module1.skillcorrect = 2;
    Module1.reptest = true;
    Module1.retest = true;
    w.retestlist->AddRow(QStringLiteral("0"));
    w.BevelButton1->setIcon(catalogue::picture("repeat"));
    w.beatsinbar = 3;
    w.bars = 12;
    w.listenplay = false;
    const Module1State before = Module1;

    optionwin& o = openoptions();
    EXPECT_EQ(o.Slider1->value(), 0);
    EXPECT_EQ(o.Label14->text(), "150");
    EXPECT_EQ(Module1.earlychange, before.earlychange);
    EXPECT_EQ(Module1.level, before.level);
    EXPECT_EQ(Module1.stlevel, before.stlevel);
    EXPECT_EQ(Module1.skillcorrect, before.skillcorrect);
    EXPECT_TRUE(Module1.reptest);
    EXPECT_TRUE(Module1.retest);
    EXPECT_EQ(w.retestlist->ListCount(), 1);
    EXPECT_EQ(w.BevelButton1->Icon(), catalogue::picture("repeat"));
    EXPECT_EQ(w.beatsinbar, 3);
    EXPECT_EQ(w.bars, 12);
    EXPECT_FALSE(w.listenplay);
    EXPECT_TRUE(o.Slider1->isEnabled());
}

TEST_F(OptionsOpen, EachLevelShowsItsRadio) {
    struct Case {
        int64_t stlevel, level;
        windows::RadioButton* optionwin::*radio;
    };
    const std::vector<Case> cases = {
        {0, 2, &optionwin::RadioButton1},   {9, 11, &optionwin::RadioButton21}, {0, 5, &optionwin::RadioButton2},
        {0, 7, &optionwin::RadioButton3},   {0, 13, &optionwin::RadioButton4},  {0, 17, &optionwin::RadioButton5},
        {0, 24, &optionwin::RadioButton6},  {0, 27, &optionwin::RadioButton7},  {0, 30, &optionwin::RadioButton8},
    };
    for (const Case& c : cases) {
        Module1.stlevel = c.stlevel;
        Module1.level = c.level;
        optionwin& o = reopenoptions();
        SCOPED_TRACE(c.level);
        EXPECT_TRUE((o.*c.radio)->Value());
        int set = 0;
        for (auto* radio : {o.RadioButton1, o.RadioButton2, o.RadioButton3, o.RadioButton4, o.RadioButton5,
                            o.RadioButton6, o.RadioButton7, o.RadioButton8, o.RadioButton21})
            set += radio->Value() ? 1 : 0;
        EXPECT_EQ(set, 1);
        EXPECT_EQ(Module1.stlevel, c.stlevel);
        EXPECT_EQ(Module1.level, c.level);
    }
}

TEST_F(OptionsOpen, ValuesOutsideTheChoicesLeaveTheDesignedRadios) {
    Module1.level = 4;
    w.beatsinbar = 7;
    w.bars = 5;
    optionwin& o = openoptions();
    EXPECT_TRUE(o.RadioButton1->Value());
    EXPECT_TRUE(o.RadioButton11->Value());
    EXPECT_TRUE(o.RadioButton13->Value());
    EXPECT_EQ(Module1.level, 4);
    EXPECT_EQ(w.beatsinbar, 7);
    EXPECT_EQ(w.bars, 5);
}

TEST_F(OptionsOpen, NextBarSliderShowsTheLeadReversed) {
    const struct {
        int64_t earlychange;
        int slider;
    } cases[] = {{100, 0}, {80, 20}, {50, 50}, {10, 90}, {5, 90}};
    for (const auto& c : cases) {
        Module1.earlychange = c.earlychange;
        optionwin& o = reopenoptions();
        SCOPED_TRACE(c.earlychange);
        EXPECT_EQ(o.Slider1->value(), c.slider);
        EXPECT_EQ(o.Label14->text(), platform::Str(c.earlychange));
        EXPECT_EQ(Module1.earlychange, c.earlychange);
    }
}

TEST_F(OptionsOpen, OneWindowAtATime) {
    optionwin& first = openoptions();
    EXPECT_EQ(&optionwin::instance(), &first);
    EXPECT_EQ(shown<optionwin>(), 1);
    first.Close();
    EXPECT_FALSE(optionwin::exists());
    EXPECT_EQ(shown<optionwin>(), 0);
    openoptions();
    EXPECT_EQ(shown<optionwin>(), 1);
}

TEST_F(OptionsOpen, StartClosesAnOpenWindowAndMakesNone) {
    openoptions();
    w.BevelButton1->click();
    EXPECT_FALSE(optionwin::exists());
    EXPECT_EQ(shown<optionwin>(), 0);
    w.BevelButton1->click();  // STOP
    w.BevelButton1->click();  // START again, with no options window open
    EXPECT_FALSE(optionwin::exists());
    EXPECT_EQ(shown<optionwin>(), 0);
}
