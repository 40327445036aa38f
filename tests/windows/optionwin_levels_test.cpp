// The rhythm-group level: each of the nine levels, chosen by its radio or
// its picture, gives its whole range (stlevel, level), and shows again when
// the window is opened anew.

#include "shell/catalogue.h"
#include "shell/module1.h"
#include "windows/windowsfixture.h"

#include <vector>

namespace {

struct Level {
    const char* picture;
    windows::RadioButton* optionwin::*radio;
    platform::PictureButton* optionwin::*button;
    int64_t stlevel, level;
};

const std::vector<Level>& levels() {
    static const std::vector<Level> table = {
        {"l1", &optionwin::RadioButton1, &optionwin::BevelButton1, 0, 2},
        {"l1t", &optionwin::RadioButton21, &optionwin::BevelButton9, 9, 11},
        {"l2", &optionwin::RadioButton2, &optionwin::BevelButton2, 0, 5},
        {"l3", &optionwin::RadioButton3, &optionwin::BevelButton3, 0, 7},
        {"l4", &optionwin::RadioButton4, &optionwin::BevelButton4, 0, 13},
        {"l5", &optionwin::RadioButton5, &optionwin::BevelButton5, 0, 17},
        {"l6", &optionwin::RadioButton6, &optionwin::BevelButton6, 0, 24},
        {"l7", &optionwin::RadioButton7, &optionwin::BevelButton7, 0, 27},
        {"l8", &optionwin::RadioButton8, &optionwin::BevelButton8, 0, 30},
    };
    return table;
}

// A level whose range differs at both ends from `level`'s.
const Level& otherthan(const Level& level) { return level.stlevel == 9 ? levels()[8] : levels()[1]; }

}  // namespace

using OptionsLevels = WindowsTest;

TEST_F(OptionsLevels, PictureButtonSetsTheWholeRange) {
    for (const Level& level : levels()) {
        SCOPED_TRACE(level.picture);
        optionwin& o = reopenoptions();
        (o.*otherthan(level).button)->click();
        (o.*level.button)->click();
        EXPECT_TRUE((o.*level.radio)->Value());
        EXPECT_EQ(Module1.stlevel, level.stlevel);
        EXPECT_EQ(Module1.level, level.level);
        EXPECT_EQ((o.*level.button)->Icon(), catalogue::picture(level.picture));

        optionwin& again = reopenoptions();
        EXPECT_TRUE((again.*level.radio)->Value());
        EXPECT_EQ(Module1.stlevel, level.stlevel);
        EXPECT_EQ(Module1.level, level.level);
    }
}

TEST_F(OptionsLevels, RadioSetsTheWholeRange) {
    for (const Level& level : levels()) {
        SCOPED_TRACE(level.picture);
        optionwin& o = reopenoptions();
        (o.*otherthan(level).radio)->click();
        (o.*level.radio)->click();
        EXPECT_FALSE((o.*otherthan(level).radio)->Value());
        EXPECT_EQ(Module1.stlevel, level.stlevel);
        EXPECT_EQ(Module1.level, level.level);
    }
}

TEST_F(OptionsLevels, PressingTheChosenPictureAgainKeepsItsRange) {
    optionwin& o = openoptions();
    o.BevelButton9->click();
    o.BevelButton9->click();
    EXPECT_TRUE(o.RadioButton21->Value());
    EXPECT_EQ(Module1.stlevel, 9);
    EXPECT_EQ(Module1.level, 11);
    o.BevelButton2->click();
    EXPECT_EQ(Module1.stlevel, 0);
    EXPECT_EQ(Module1.level, 5);
}

TEST_F(OptionsLevels, ARadioThatIsNotSetWritesNothing) {
    optionwin& o = openoptions();
    o.BevelButton5->click();
    o.RadioButton21_Action();  // raised for a radio that is not the chosen one
    EXPECT_EQ(Module1.stlevel, 0);
    EXPECT_EQ(Module1.level, 17);
}

// The level pictures are flat: no frame around any of them, so where the
// layout lets two overlap (l5 over l6 by 2 rows, l7 over l8 by 5) nothing
// but the pictures shows.
TEST_F(OptionsLevels, PictureButtonsAreFlat) {
    optionwin& o = openoptions();
    for (const Level& level : levels()) {
        SCOPED_TRACE(level.picture);
        const QImage face = (o.*level.button)->grab().toImage();
        int framed = 0;
        for (int x = 0; x < face.width(); ++x)
            for (int y : {0, face.height() - 1}) framed += face.pixelColor(x, y) != QColor(Qt::white);
        for (int y = 0; y < face.height(); ++y)
            for (int x : {0, face.width() - 1}) framed += face.pixelColor(x, y) != QColor(Qt::white);
        EXPECT_EQ(framed, 0);
    }
}
