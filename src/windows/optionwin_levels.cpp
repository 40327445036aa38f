// The rhythm-group level: a pair of the lowest and highest group codes that a
// test may draw (stlevel, level). Each of the nine levels has a radio and a
// picture button; both choose the level's whole range, so the pair is always
// one of the nine rows and never empty or reversed.

#include "shell/module1.h"
#include "windows/optionwin.h"

namespace {

void writelevel(const windows::RadioButton* radio, int64_t low, int64_t high) {
    if (!radio->Value()) return;
    Module1.level = high;
    Module1.stlevel = low;
}

}  // namespace

void optionwin::chooselevel(windows::RadioButton* radio, int64_t low, int64_t high) {
    radio->setValue(true);
    Module1.stlevel = low;
    Module1.level = high;
}

void optionwin::RadioButton1_Action() { writelevel(RadioButton1, 0, 2); }
void optionwin::RadioButton21_Action() { writelevel(RadioButton21, 9, 11); }
void optionwin::RadioButton2_Action() { writelevel(RadioButton2, 0, 5); }
void optionwin::RadioButton3_Action() { writelevel(RadioButton3, 0, 7); }
void optionwin::RadioButton4_Action() { writelevel(RadioButton4, 0, 13); }
void optionwin::RadioButton5_Action() { writelevel(RadioButton5, 0, 17); }
void optionwin::RadioButton6_Action() { writelevel(RadioButton6, 0, 24); }
void optionwin::RadioButton7_Action() { writelevel(RadioButton7, 0, 27); }
void optionwin::RadioButton8_Action() { writelevel(RadioButton8, 0, 30); }

void optionwin::BevelButton1_Action() { chooselevel(RadioButton1, 0, 2); }
void optionwin::BevelButton9_Action() { chooselevel(RadioButton21, 9, 11); }
void optionwin::BevelButton2_Action() { chooselevel(RadioButton2, 0, 5); }
void optionwin::BevelButton3_Action() { chooselevel(RadioButton3, 0, 7); }
void optionwin::BevelButton4_Action() { chooselevel(RadioButton4, 0, 13); }
void optionwin::BevelButton5_Action() { chooselevel(RadioButton5, 0, 17); }
void optionwin::BevelButton6_Action() { chooselevel(RadioButton6, 0, 24); }
void optionwin::BevelButton7_Action() { chooselevel(RadioButton7, 0, 27); }
void optionwin::BevelButton8_Action() { chooselevel(RadioButton8, 0, 30); }
