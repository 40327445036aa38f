// RESULTS, NEW TEST and the tempo slider of the main window.

#include "platform/text.h"
#include "results/resultswin.h"
#include "shell/catalogue.h"
#include "shell/module1.h"
#include "shell/window1.h"

void Window1::BevelButton3_Action() {
    // Sized by the shape of the test it shows, not by options changed since.
    resultswin& results = resultswin::instance();
    results.setHeight(int(lasttestbars * 30 + 100));
    results.setWidth(int(lasttestbeatsinbar * 240 + 50));
    // The graph is drawn afresh at the new size, and an open window that was
    // hidden behind others comes forward.
    results.Canvas1->Refresh();
    results.raise();
    results.activateWindow();
}

void Window1::BevelButton5_Action() {
    Module1.retest = false;
    BevelButton1->setIcon(catalogue::picture("go"));
    retestlist->DeleteAllRows();
}

void Window1::Slider1_Open() { Slider1->setValue(int(Module1.tickspeed)); }

void Window1::Slider1_ValueChanged() {
    Module1.tickspeed = Slider1->value();
    showtempo();
}

void Window1::showtempo() {
    // The slider's range never reaches 0 once the window is open; before that
    // (the layout's range starts at 0) there is no tempo to show.
    tempolabel->setText(Module1.tickspeed > 0 ? platform::Str(3600 / Module1.tickspeed) + QStringLiteral(" bpm")
                                              : QString());
}
