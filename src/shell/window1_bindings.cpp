// Binds the controls' events to Window1's handlers. The handlers are defined
// in the folders of their subsystems; each is bound here as it is built.

#include "shell/window1.h"

#include "platform/dispatch.h"
#include "results/wholetickeditor.h"

void Window1::BindHandlers() {
    // Bar generation and notation.
    Canvas1->Paint = [this](platform::Graphics& g) { Canvas1_Paint(g); };
    Canvas2->Paint = [this](platform::Graphics& g) { Canvas2_Paint(g); };

    // Test clock, start and stop, taps, correction.
    Timer1.Action = [this] { Timer1_Action(); };
    prestarttimer.Action = [this] { prestarttimer_Action(); };
    BevelButton1->Action = [this] { BevelButton1_Action(); };
    TextField1->KeyDown = [this](const QString& key) { return TextField1_KeyDown(key); };
    // From starttest to the test's end or STOP every key the window gets is
    // a candidate tap, Tab included, and no click moves the keys elsewhere.
    TextField1->HoldsFocus = [this] { return Timer1.Enabled(); };
    notelist->CellClick = [this](int row, int column) { return notelist_CellClick(row, column); };

    // Main-window buttons, tempo slider, replay, instrument menu.
    BevelButton3->Action = [this] { BevelButton3_Action(); };
    BevelButton5->Action = [this] { BevelButton5_Action(); };
    BevelButton2->Action = [this] { BevelButton2_Action(); };
    BevelButton4->Action = [this] { BevelButton4_Action(); };
    // The menu's own open event, raised once as it is made; its rows are set
    // quietly, so the change handler runs only for the player's choices.
    platform::dispatch("PopupMenu1_Open", [this] { PopupMenu1_Open(); });
    QObject::connect(PopupMenu1, &QComboBox::currentIndexChanged, PopupMenu1,
                     [this] { platform::dispatch("PopupMenu1_Change", [this] { PopupMenu1_Change(); }); });
    QObject::connect(Slider1, &QSlider::valueChanged, Slider1,
                     [this] { platform::dispatch("Slider1_ValueChanged", [this] { Slider1_ValueChanged(); }); });
    replaytimer.Action = [this] { replaytimer_Action(); };
    notelist->setItemDelegateForColumn(1, new WholeTickEditor(notelist));
    Slider1_Open();  // the slider's own open event, raised once as it is made
}
