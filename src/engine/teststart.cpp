// START / STOP / REPEAT TEST, the two-second start delay and the start of a
// test. The button's mode is the picture it shows.

#include "engine/lisplaylabel.h"
#include "platform/ticks.h"
#include "shell/catalogue.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "windows/optionwin.h"

namespace {

// Locks what must not change while a test runs (its tempo and its options)
// and shows the count-in message while the delay runs.
void startdelay(Window1& w) {
    w.BevelButton1->setIcon(catalogue::picture("stop"));
    w.prestarttimer.setEnabled(true);
    // The delay leaves the sound output time to start before the first click.
    w.keepsoundrunning();
    w.BevelButton3->setEnabled(false);
    w.BevelButton3->setIcon(catalogue::picture("resultslight"));
    w.BevelButton2->setEnabled(false);
    w.BevelButton2->setIcon(catalogue::picture("optionslight"));
    w.Slider1->setEnabled(false);
    if (optionwin::exists()) optionwin::instance().Close();
    w.prestarttimer.Reset();
    w.resultbox->hide();
    w.BevelButton5->hide();
    w.Canvas1->Refresh();
}

// Brings the window back to rest without scoring or saving anything.
void stoptest(Window1& w) {
    const bool repeatmode = Module1.reptest && w.retestlist->ListCount() >= 1;
    if (repeatmode) {
        w.BevelButton1->setIcon(catalogue::picture("repeat"));
        w.BevelButton5->show();
    } else {
        w.BevelButton1->setIcon(catalogue::picture("go"));
    }
    // Only a test that was running has played ticks that are not corrected
    // yet; in the start delay the table still holds the last test, already
    // corrected (and scored) once.
    const bool testwasrunning = w.Timer1.Enabled();
    w.prestarttimer.setEnabled(false);
    w.Timer1.setEnabled(false);
    w.keepsoundrunning();
    w.Slider1->setEnabled(true);
    if (testwasrunning && w.notelist->ListCount() - 1 > 0) w.correctnotelist();
    w.BevelButton3->setEnabled(true);
    w.BevelButton3->setIcon(catalogue::picture("results"));
    w.BevelButton2->setEnabled(true);
    w.BevelButton2->setIcon(catalogue::picture("options"));
    Module1.countin = true;
    w.Canvas1->Refresh();
    w.Canvas2->Refresh();
    w.lisplaylabel->hide();
    w.TextField1->setText(QString());
}

}  // namespace

void Window1::BevelButton1_Action() {
    const platform::PicturePtr& shown = BevelButton1->Icon();
    if (shown == catalogue::picture("go") || shown == catalogue::picture("repeat"))
        startdelay(*this);
    else if (shown == catalogue::picture("stop"))
        stoptest(*this);
}

void Window1::prestarttimer_Action() {
    prestarttimer.setEnabled(false);
    starttest();
}

void Window1::starttest() {
    place.fill(-1);
    notecount = 0;
    notelist->DeleteAllRows();
    startofnote = 0;
    pagenumber = 0;
    Module1.metcount = 0;
    Module1.allnotes = 0;
    notessofar = 0;
    notesplayedsofar = 0;
    nextnote = 0;
    listening = false;
    lastnotesounded = 0;
    refreshcanvas2 = false;
    refreshrow = 0;
    // A completed test leaves a page change pending; left so, a count-in
    // whose bar end comes a pass late would turn the page inside it.
    newpagecheck = false;

    // The tempo and shape every tick of this test is counted in, kept for
    // whatever reads the finished test after the options have changed.
    Module1.lasttesttickspeed = Module1.tickspeed;
    lasttestbeatsinbar = beatsinbar;
    lasttestbars = bars;

    Timer1.setPeriod(10);
    Timer1.setEnabled(true);
    catalogue::sound("hi")->Play();
    // One reading for both origins: the metronome's bar and the due-tick axis
    // start on the same tick.
    Module1.startruntime = platform::Ticks();
    continuoustime = Module1.startruntime;
    lastticktime = 0;
    newtick = 0;
    TextField1->setText(QString());
    TextField1->setFocus();
    Module1.lastnoteplayed = -1;
    Module1.countin = true;
    lisplaylabel->show();
    showlisplay(*lisplaylabel, lisplayred, QStringLiteral("COUNT IN"));
    Canvas2->Refresh();
    Canvas1->Refresh();
}
