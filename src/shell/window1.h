#pragma once
// Window1: the main window, and the owner of a test's state and handlers. It
// is declared here once; its handlers are defined in the folder of the
// subsystem they belong to (the test clock in engine/, the bar painter in
// notation/, the scoring in results/ ...).

#include "platform/canvas.h"
#include "platform/listbox.h"
#include "platform/picturebutton.h"
#include "platform/sound.h"
#include "platform/textfield.h"
#include "platform/timer.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QSlider>
#include <array>
#include <cstdint>
#include <memory>

class Window1Frame;

class Window1 {
public:
    // The one main window of the run; made by the first call.
    static Window1& instance();
    // Whether the main window has been made (and not yet destroyed).
    static bool exists();
    // Closes and destroys the main window (tests make a fresh one per case).
    static void destroy();

    ~Window1();
    Window1(const Window1&) = delete;
    Window1& operator=(const Window1&) = delete;

    // ---- Test settings (set by the options window) ----
    int64_t beatsinbar = 4;   // beats per bar, 2..5
    int64_t bars = 4;         // bars per test: 4, 8, 12 or 16
    bool listenplay = true;   // true: a LISTEN bar then a PLAY bar; false: continuous

    // ---- State of the running test or replay ----
    std::array<int64_t, 101> place{};  // tap positions in the current bar, beat-sixtieths; -1 empty
    int64_t notecount = 0;         // index in place of the next tap of the bar
    int64_t newtick = 0;           // ticks since the last metronome beat
    int64_t lastticktime = 0;      // time of the last beat, ticks since startruntime
    bool newpagecheck = false;     // the change to the next page is still due in this bar
    int64_t pagenumber = 0;        // the page (bar) on show, from 0
    int64_t startofnote = 0;       // running onset base in ticks for the note entry
    int64_t continuoustime = 0;    // tick count taps and playback are counted from
    int64_t notesinbar = 0;        // notes entered for the bar made last
    int64_t notessofar = 0;        // notes generated so far in the test
    int64_t notesplayedsofar = 0;  // taps accepted so far in the test
    int64_t nextnote = 0;          // pitch index the next tap sounds
    bool listening = false;        // a LISTEN bar is running
    bool allowplay = true;         // listen-and-play: taps are being accepted
    int64_t lastnotesounded = 0;   // notelist row of the next note the program sounds
    bool refreshcanvas2 = false;   // the accuracy strip was cleared in this bar
    int64_t refreshrow = 0;        // the retestlist row the bar generator reads next

    // Writes place(index), ignoring an index outside 0..100.
    void setplace(int64_t index, int64_t value);

    // ---- Controls, in order of creation ----
    platform::Timer Timer1{"Timer1_Action", platform::Timer::Mode::Multiple, 10};
    platform::Canvas* Canvas1 = nullptr;
    platform::TextField* TextField1 = nullptr;
    platform::Canvas* Canvas2 = nullptr;
    platform::ListBox* notelist = nullptr;
    platform::Timer prestarttimer{"prestarttimer_Action", platform::Timer::Mode::Single, 2000};
    QLabel* lisplaylabel = nullptr;
    platform::PictureButton* BevelButton1 = nullptr;  // START / STOP / REPEAT TEST
    platform::PictureButton* BevelButton2 = nullptr;  // OPTIONS
    platform::PictureButton* BevelButton3 = nullptr;  // RESULTS
    QGroupBox* resultbox = nullptr;
    QLabel* perfect = nullptr;
    QLabel* close = nullptr;
    QLabel* whoops = nullptr;
    QLabel* summary = nullptr;
    QLabel* summary2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* tacclabel = nullptr;
    QLabel* ttestslabel = nullptr;
    QLabel* thitslabel = nullptr;
    QLabel* tnearlabel = nullptr;
    QLabel* tmisslabel = nullptr;
    QLabel* tnoteslabel = nullptr;
    platform::PictureButton* BevelButton4 = nullptr;  // HELP
    QSlider* Slider1 = nullptr;                       // tempo
    QLabel* tmisslabel1 = nullptr;
    QLabel* tempolabel = nullptr;
    platform::ListBox* retestlist = nullptr;
    platform::PictureButton* BevelButton5 = nullptr;  // NEW TEST
    platform::Timer replaytimer{"replaytimer_Action", platform::Timer::Mode::Multiple, 10};
    QComboBox* PopupMenu1 = nullptr;                  // instrument
    QLabel* inssound = nullptr;

    // ---- The window ----
    QMainWindow& frame();
    int Width() const;
    void setWidth(int width);
    int Height() const;
    // Closes the window through its close event, as the close box does.
    void Close();

    // ---- Open and close (shell) ----
    void Event_Open();
    void Event_Close();
    // Loads the seven samples of the instrument `ins` into `sounds`; false,
    // after telling the player, when its folder or one of its files is missing.
    bool loadinstrumentsounds();
    // The seven samples of the instrument folder `name`, or why they cannot be
    // had: no such folder, or one of the seven files missing.
    struct InstrumentSamples {
        enum class Outcome { loaded, foldermissing, filemissing } outcome = Outcome::foldermissing;
        std::array<platform::SoundPtr, 7> sounds{};
    };
    static InstrumentSamples loadinstrument(const QString& name);
    // The menu bar's "Help": the about box, modelessly; true, the choice is handled.
    bool _HelpMenu_Action();

    // ---- Time units and pitch walk (engine/timeunits.cpp) ----
    int64_t ts(int64_t beatsixtieths) const;      // beat-sixtieths to ticks at lasttesttickspeed
    int64_t tempoplace(int64_t ticks) const;      // ticks to beat-sixtieths at lasttesttickspeed
    int64_t replayts(int64_t tick) const;         // a recorded tick re-timed to tickspeed
    int64_t replaymetts(int64_t beatsixtieths) const;  // beat-sixtieths to ticks at tickspeed
    QString createnote(int64_t p);                // the next pitch index of the walk, as text

    // ---- Bar generation and notation (notation/) ----
    // The notation canvas: the count-in message during the start delay, the
    // next bar (generated, drawn and entered in notelist) while Timer1 runs,
    // else the cover. Only the program's own Refresh() runs it.
    void Canvas1_Paint(platform::Graphics& g);
    // The accuracy strip: the bar's timeline and beat marks, and a dot for
    // every tap position held in place.
    void Canvas2_Paint(platform::Graphics& g);
    // One bar of the test, drawn on g and entered in notelist.
    void generatebar(platform::Graphics& g);
    // The rhythm-group code of beat `beat` (1-based) of the bar being made.
    int64_t choosecode(int64_t beat);
    // Appends the notes of one beat's rhythm group to notelist and moves the
    // beat base on; lastpitch carries the pitch walk from note to note.
    void noteentry(int64_t code, int64_t beat, int64_t beats, int64_t& lastpitch);

    // ---- Test clock, start and stop, taps, correction, repeat list (engine/) ----
    // The shape of the test in notelist, captured by starttest beside its
    // tempo (lasttesttickspeed): what reads the finished test later (the
    // correction, the results graph) must not follow options changed since.
    int64_t lasttestbeatsinbar = 4;
    int64_t lasttestbars = 4;
    // START / STOP / REPEAT TEST, by the picture the button shows (teststart.cpp).
    void BevelButton1_Action();
    // The end of the two-second start delay: the test starts.
    void prestarttimer_Action();
    // Resets the test's state, starts the clock and has bar 1 generated.
    void starttest();
    // One pass of the test clock, with its own exception handler (testclock.cpp).
    void Timer1_Action();
    void testclockpass();
    // Plays the LISTEN bar's next note when it has fallen due.
    void playduelistennote();
    // The end of a completed test: clock off, correction, repeat list, rest.
    void endtest();
    // A key press in TextField1: one tap (keyboardtap.cpp); true consumes the key.
    bool TextField1_KeyDown(const QString& key);
    // Pulls played ticks toward their notes by skillcorrect ticks and fills
    // the graph ticks (accuracycorrection.cpp).
    void correctnotelist();
    // A click in column 1 opens that column for editing and reruns the correction.
    bool notelist_CellClick(int row, int column);
    // Rebuilds retestlist from notelist, one code per beat (repeatlist.cpp).
    void setrepeat();

    // ---- Main-window buttons, tempo slider, replay, instrument menu (engine/) ----
    void BevelButton2_Action();   // OPTIONS: the options window, modally
    void BevelButton4_Action();   // HELP, or with Shift+Control+Alt the note table uncovered
    void PopupMenu1_Open();       // the instrument menu's fourteen rows (instrumentmenu.cpp)
    void PopupMenu1_Change();     // the chosen instrument's samples, when all seven are there
    void BevelButton3_Action();   // RESULTS: sizes, repaints and raises the results window
    void BevelButton5_Action();   // NEW TEST: the next test is drawn afresh
    void Slider1_Open();
    void Slider1_ValueChanged();  // the tempo of the next test or replay
    void showtempo();             // the tempo caption from tickspeed
    void replaytimer_Action();    // one 10 ms step of the replay
    // Whether a test runs or its start delay counts down (a replay must not run then).
    bool testinprogress() const;
    // Ends a replay: replaytimer off, the results window's button back to
    // PLAY, and the tempo slider free again unless a test is in progress.
    void stopreplay();
    // Tells the sound output whether a test (its start delay included) or a
    // replay may play: it rests otherwise, and takes a moment to start again.
    void keepsoundrunning();

    // ---- Scoring and saved data (results/) ----
    void showresults();   // scores the finished test, folds it into the totals and saves
    void loaddata();      // the saved totals and settings, read once at open
    void savedata();      // rewrites the settings-and-totals file and shows the totals
    void showtotals();    // the six totals-to-date labels from the totals
    QString encpw(const QString& text);  // one line of the file, scrambled
    QString decpw(const QString& line);  // one line of the file, unscrambled

    // ---- MIDI input (engine/ and shell/) ----
    // Opens every MIDI input device in turn at window open; the last one that
    // opens stays in s (shell/window1_midi.cpp).
    void openmidiinputs();
    // Closes the MIDI input at window close.
    void closemidiinput();
    // The MIDI taps that have arrived, taken first in every clock pass while
    // MIDI input is chosen (engine/miditaps.cpp).
    void takemiditaps();
    // One note-on drained: a tap, unless the gates of the test refuse it.
    void takemiditap();
    // The clock's exception handler closes s through this, remembering the
    // device it held so that the next pass reopens that one.
    void closemidiafterfault();
    int64_t midireopendevice = -1;  // the input device s held last; -1 none known
    // Shared by the keyboard tap and the MIDI tap (engine/keyboardtap.cpp):
    // whether the test's phase or its count of notes refuses every tap;
    // whether a tap at tick count `now` comes before the 40 ticks that lead
    // into a playing stretch; and the record of one accepted tap at `now`
    // against the next note in order (played tick, place in the bar, and
    // with `withpitch` the pitch lastnoteplayed in column 3), which moves
    // allnotes and notecount on and repaints the accuracy strip.
    bool tapsrefused() const;
    bool taptooearly(int64_t now) const;
    void recordtap(int64_t now, bool withpitch);

private:
    Window1();
    void Layout();
    void CreateControls();
    void BindHandlers();
    void AddMenuHandlers();
    void open();

    std::unique_ptr<Window1Frame> frame_;
    QWidget* content_ = nullptr;
    bool quitting_ = false;
    friend class Window1Frame;
};
