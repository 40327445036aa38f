// The results window's PLAY / STOP button. Its mode is the picture it shows:
// PLAY (no replay runs) or STOP. The replay itself is the main window's
// replaytimer_Action.

#include "platform/ticks.h"
#include "results/resultswin.h"
#include "shell/catalogue.h"
#include "shell/module1.h"
#include "shell/window1.h"

void resultswin::BevelButton1_Action() {
    Window1& main = Window1::instance();
    if (BevelButton1->Icon() != catalogue::picture("play")) {
        main.stopreplay();
        return;
    }
    // A replay shares the test clock's counters, so none starts while a test
    // is under way; and with no notes (or no test tempo) there is nothing to
    // play.
    if (main.testinprogress() || main.notelist->ListCount() == 0 || Module1.lasttesttickspeed <= 0) return;
    main.Slider1->setEnabled(false);
    Module1.countin = true;
    main.notecount = 0;
    main.startofnote = 0;
    main.pagenumber = 0;
    main.replaytimer.setEnabled(true);
    // Before the first click, which follows at once.
    main.keepsoundrunning();
    Module1.metcount = 0;
    Module1.allnotes = 0;
    main.notessofar = 0;
    main.notesplayedsofar = 0;
    main.lastnotesounded = 0;
    catalogue::sound("hi")->Play();
    Module1.startruntime = platform::Ticks();
    main.continuoustime = platform::Ticks();
    main.lastticktime = 0;
    main.newtick = 0;
    BevelButton1->setIcon(catalogue::picture("smallstop"));
}

void resultswin::Event_Close() {
    // Closing the window stops a running replay, and frees the tempo slider
    // as every other end of a replay does.
    Window1::instance().stopreplay();
}
