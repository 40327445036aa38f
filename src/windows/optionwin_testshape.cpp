// Test shape, mode, repeat option, next-bar time and accuracy: each control
// writes its value into Window1 or Module1 at once; the next test reads them.

#include "platform/text.h"
#include "shell/catalogue.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "windows/optionwin.h"

#include <QSignalBlocker>

void optionwin::cancelpendingrepeat() {
    Window1& main = Window1::instance();
    Module1.retest = false;
    main.retestlist->DeleteAllRows();
    if (main.BevelButton1->Icon() == catalogue::picture("repeat")) main.BevelButton1->setIcon(catalogue::picture("go"));
}

// Each radio sets one property and nothing else: a pending repeat stays
// pending, and a repeat longer than the stored test draws its missing beats
// as ordinary ones.
void optionwin::RadioButton9_Action() { Window1::instance().beatsinbar = 2; }
void optionwin::RadioButton10_Action() { Window1::instance().beatsinbar = 3; }
void optionwin::RadioButton11_Action() { Window1::instance().beatsinbar = 4; }
void optionwin::RadioButton12_Action() { Window1::instance().beatsinbar = 5; }
void optionwin::RadioButton13_Action() { Window1::instance().bars = 4; }
void optionwin::RadioButton14_Action() { Window1::instance().bars = 8; }
void optionwin::RadioButton15_Action() { Window1::instance().bars = 12; }
void optionwin::RadioButton16_Action() { Window1::instance().bars = 16; }

void optionwin::RadioButton17_Action() {
    Window1::instance().listenplay = true;
    Slider1->setEnabled(false);
}

void optionwin::RadioButton18_Action() {
    Window1::instance().listenplay = false;
    Slider1->setEnabled(true);
}

void optionwin::CheckBox2_Open() { CheckBox2->setValue(Module1.reptest); }

void optionwin::CheckBox2_Action() {
    if (CheckBox2->Value()) {
        Module1.reptest = true;
        return;
    }
    Module1.reptest = false;
    cancelpendingrepeat();
}

int optionwin::nextbarsliderposition() {
    // The slider runs from 0 (a lead of 100) to 90 (a lead of 10); a lead
    // outside that range, from a damaged settings file, shows at the nearer end.
    if (Module1.earlychange >= 100) return 0;
    if (Module1.earlychange <= 10) return 90;
    return int(100 - Module1.earlychange);
}

void optionwin::Slider1_Open() {
    const QSignalBlocker quiet(Slider1);
    Slider1->setValue(nextbarsliderposition());
}

void optionwin::Slider1_ValueChanged() {
    Module1.earlychange = 100 - Slider1->value();
    Label14->setText(platform::Str(Module1.earlychange));
}

void optionwin::PopupMenu1_Open() {
    const QSignalBlocker quiet(PopupMenu1);
    PopupMenu1->addItem(QStringLiteral("Most accurate (60th of a second)"));
    PopupMenu1->addItem(QStringLiteral("Medium"));
    PopupMenu1->addItem(QStringLiteral("Relaxed"));
    PopupMenu1->setCurrentIndex(int(Module1.skillcorrect));
}

void optionwin::PopupMenu1_Change() {
    // Only the menu's own rows are settings; no row chosen leaves the setting.
    if (PopupMenu1->currentIndex() >= 0) Module1.skillcorrect = PopupMenu1->currentIndex();
}
