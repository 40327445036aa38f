// MIDI taps through the test clock, over the PortMidi stand-in: what counts
// as a tap, the gates, the sample and the pitch walk, what a tap writes,
// taps beyond the notes, stream errors, the reopen after a fault in a pass,
// and whole tests played on a MIDI keyboard.

#include "enginefixture.h"

#include "midi/standin/notelink_standin.h"
#include "midi/standin/portmidi_standin.h"
#include "platform/portmidiclasses.h"
#include "platform/text.h"
#include "platform/ticks.h"

#include <QStringList>
#include <algorithm>
#include <initializer_list>

namespace {

// The devices the main window's start-up scan finds: two keyboards and a
// synthesiser. They must exist before the window opens, so this base comes
// before EngineTest. The scan leaves the last input, device 1, open in s.
class StandinDevices {
protected:
    StandinDevices() {
        portmidi_standin::reset();
        portmidi_standin::addInput("Keys A");  // 0
        portmidi_standin::addInput("Keys B");  // 1
        portmidi_standin::addOutput("Synth");  // 2
        loaded = portmidi_standin::loadFreshNotelink();
    }
    // The window and s are gone by now (AppFixture), so nothing names a
    // stream the stand-in forgets.
    ~StandinDevices() { portmidi_standin::reset(); }
    bool loaded = false;
};

constexpr int keysinuse = 1;

PmMessage noteon(int key, int velocity = 100) { return Pm_Message(144, key, velocity); }

class MidiTapTest : protected StandinDevices, public EngineTest {
protected:
    MidiTapTest() {
        Module1.midiinput = true;
        Module1.stlevel = 0;
        Module1.level = 0;  // crotchets: bar k's notes are due at (k-1)*240 + 0, 60, 120, 180
    }
    void SetUp() override {
        ASSERT_TRUE(loaded);
        ASSERT_TRUE(Module1.midiinputpos);
        ASSERT_EQ(Module1.s->DeviceID(), keysinuse);
    }

    // MIDI messages reaching the stream now, from the keyboard in use.
    void arrive(std::initializer_list<PmMessage> midi, int device = keysinuse) {
        for (PmMessage m : midi) EXPECT_TRUE(portmidi_standin::deliver(device, m, 0));
    }
    // The next clock pass, and nothing after it.
    void nextpass() {
        const int64_t seen = passes;
        while (passes == seen && w.Timer1.Enabled()) time.advanceUs(100);
    }
    // Messages arriving as the tick count turns to `tick`: the pass that
    // takes them comes within 10 ms, before the count moves on.
    void midiat(int64_t tick, std::initializer_list<PmMessage> midi) {
        time.advanceToTick(tick);
        arrive(midi);
        nextpass();
        EXPECT_EQ(platform::Ticks(), tick);
    }
    bool waiting() const { return Module1.s->Poll() == 1; }

    QStringList column(int c) const {
        QStringList cells;
        for (int r = 0; r < w.notelist->ListCount(); ++r) cells << cell(r, c);
        return cells;
    }
    std::vector<int64_t> pitchessounded() const {
        std::vector<int64_t> pitches;
        for (const auto& play : samplesplayed()) pitches.push_back(play.pitch);
        return pitches;
    }

    // Everything a tap could move.
    struct Snapshot {
        size_t samples;
        int64_t played, allnotes, notecount, nextnote, lastnoteplayed;
        std::array<int64_t, 101> place;
        QStringList playedcells, pitchcells;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const {
        return {samplesplayed().size(), w.notesplayedsofar, Module1.allnotes, w.notecount, w.nextnote,
                Module1.lastnoteplayed, w.place, column(1), column(3)};
    }
};

TEST_F(MidiTapTest, OnlyANoteOnOnTheFirstChannelWithAVelocityIsATap) {
    struct Case {
        const char* name;
        PmMessage message;
        bool tap;
    };
    const Case cases[] = {
        {"note-on", Pm_Message(144, 60, 100), true},
        {"note-on at the softest velocity", Pm_Message(144, 21, 1), true},
        {"note-on at velocity 0, a note-off", Pm_Message(144, 60, 0), false},
        {"note-off", Pm_Message(128, 60, 64), false},
        {"note-on on channel 2", Pm_Message(145, 60, 100), false},
        {"note-on on channel 16", Pm_Message(159, 60, 100), false},
        {"key pressure", Pm_Message(160, 60, 100), false},
        {"control change", Pm_Message(176, 64, 127), false},
        {"pitch bend", Pm_Message(224, 0, 64), false},
    };
    w.listenplay = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int64_t start = starttestnow();
        time.advanceToTick(start + 240 + 25);
        const Snapshot before = snapshot();
        midiat(start + 240 + 30, {c.message});
        if (c.tap) {
            EXPECT_EQ(cell(0, 1), "30");
            EXPECT_EQ(w.place[0], 30);
            EXPECT_EQ(w.notesplayedsofar, 1);
            EXPECT_EQ(Module1.allnotes, 1);
            EXPECT_EQ(w.notecount, 1);
        } else {
            EXPECT_EQ(snapshot(), before);
        }
        EXPECT_FALSE(waiting()) << "read and dropped, not left in the stream";
        press();
    }
}

TEST_F(MidiTapTest, AChordIsOneTapPerKeyOnOneTick) {
    w.listenplay = false;
    const int64_t start = starttestnow();
    midiat(start + 240 + 100, {noteon(60), Pm_Message(128, 50, 0), noteon(64), noteon(67)});
    EXPECT_EQ(column(1), (QStringList{"100", "100", "100", ""}));
    EXPECT_EQ(std::vector<int64_t>(w.place.begin(), w.place.begin() + 4), (std::vector<int64_t>{100, 100, 100, -1}));
    EXPECT_EQ(w.notesplayedsofar, 3);
    EXPECT_EQ(Module1.allnotes, 3);
    EXPECT_EQ(w.notecount, 3);
}

// When each mode takes its first taps: listen-and-play in the last 40 ticks
// of a LISTEN bar and never in the count-in, continuous from the last 40
// ticks of the count-in. Messages that waited in the stream from before the
// test meet the first pass, at the very start of the count-in.
TEST_F(MidiTapTest, TheGatesOpenFortyTicksBeforeEachPlayingStretch) {
    constexpr int64_t fromthedelay = -1;
    struct Case {
        const char* name;
        bool listenplay;
        int64_t tempo;
        int64_t beats;
        int64_t at;  // ticks after the test's start, or fromthedelay
        bool taken;
        const char* playedtick;  // of the first note, when taken
        int64_t position;        // its place in the strip
    };
    const Case cases[] = {
        {"listen-and-play, count-in's last 40 ticks", true, 60, 4, 230, false, "", 0},
        {"listen-and-play, LISTEN bar before its last 40 ticks", true, 60, 4, 240 + 200, false, "", 0},
        // The intake runs first in a pass, before the clock opens the LISTEN
        // bar's last 40 ticks: what arrives at bar time 201 meets the closed
        // gate, what arrives a tick later is taken.
        {"listen-and-play, LISTEN bar's last 40 ticks", true, 60, 4, 240 + 202, true, "-38", 0},
        {"listen-and-play, PLAY bar", true, 60, 4, 480 + 12, true, "12", 12},
        {"listen-and-play, 40-tick bars, waiting from the start delay", true, 20, 2, fromthedelay, false, "", 0},
        {"continuous, count-in before its last 40 ticks", false, 60, 4, 199, false, "", 0},
        {"continuous, count-in's last 40 ticks", false, 60, 4, 200, true, "-40", 0},
        {"continuous, waiting from the start delay", false, 60, 4, fromthedelay, false, "", 0},
        {"continuous, 40-tick bars, waiting from the start delay", false, 20, 2, fromthedelay, true, "-40", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.listenplay = c.listenplay;
        Module1.tickspeed = c.tempo;
        w.beatsinbar = c.beats;
        Snapshot before;
        if (c.at == fromthedelay) {
            // Started on a tick boundary, so that the first pass, 10 ms
            // later, still reads the test's first tick.
            time.advanceToTick(platform::Ticks() + 1);
            press();
            time.advanceMs(1000);
            arrive({noteon(60)});
            time.advanceMs(1000);
            ASSERT_TRUE(w.Timer1.Enabled());
            before = snapshot();
            nextpass();
        } else {
            const int64_t start = starttestnow();
            time.advanceToTick(start + c.at - 1);
            before = snapshot();
            midiat(start + c.at, {noteon(60)});
        }
        if (c.taken) {
            EXPECT_EQ(cell(0, 1), c.playedtick);
            EXPECT_EQ(w.place[0], c.position);
            EXPECT_EQ(w.notesplayedsofar, 1);
            EXPECT_EQ(Module1.allnotes, 1);
            EXPECT_EQ(w.notecount, 1);
        } else {
            EXPECT_EQ(snapshot(), before);
        }
        EXPECT_FALSE(waiting());
        press();
    }
}

// The sample and the pitch walk move only with "Midi input plays a sound";
// either way the row keeps the pitch the bar generator gave it, and a tap
// after the top note leaves lastnoteplayed on it.
TEST_F(MidiTapTest, ATapSoundsAndWalksOnlyWithTheSoundOption) {
    struct Case {
        bool playmidinotes;
        std::vector<int64_t> sounded;
        int64_t nextnote;
        int64_t lastnoteplayed;
    };
    const Case cases[] = {
        {false, {}, 0, -1},
        {true, {0, 2, 4, 5, 6}, 5, 6},
    };
    w.listenplay = false;
    Module1.level = 4;  // four notes a beat: due at 0, 15, 30, 45, 60, ...
    Module1.stlevel = 4;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.playmidinotes);
        Module1.playmidinotes = c.playmidinotes;
        sound.plays.clear();
        const int64_t start = starttestnow();
        const QStringList pitches = column(3);
        const size_t draws = random->ranges.size();
        random->script = {2, 4, 5, 6, 5};  // 0 -> 2 -> 4 -> 5 -> 6 -> 5
        for (int64_t at : {0, 15, 30, 45, 60}) midiat(start + 240 + at, {noteon(60)});
        random->script.clear();

        EXPECT_EQ(column(1).mid(0, 6), (QStringList{"0", "15", "30", "45", "60", ""}));
        EXPECT_EQ(column(3), pitches);
        EXPECT_EQ(pitchessounded(), c.sounded);
        if (c.playmidinotes) {
            EXPECT_EQ(samplesplayed().front().tick, start + 240);
        }
        EXPECT_EQ(random->ranges.size() - draws, c.sounded.size()) << "one walk draw per sounded tap";
        EXPECT_EQ(w.nextnote, c.nextnote);
        EXPECT_EQ(Module1.lastnoteplayed, c.lastnoteplayed);
        EXPECT_EQ(w.notesplayedsofar, 5);
        press();
    }
}

// The intake runs first in a pass: a key pressed on a bar's first beat is
// taken in the pass that then starts the bar, timed against the bar before.
// The strip shows it on the first beat, and the played tick stays exact.
TEST_F(MidiTapTest, ATapOnTheDownbeatBeforeTheClockTurnsTheBarIsShownOnIt) {
    struct Case {
        const char* name;
        bool listenplay;
        int64_t beats;
        int64_t downbeat;  // ticks after the test's start
    };
    const Case cases[] = {
        {"continuous, bar 1", false, 4, 240},
        {"continuous, five beats, bar 1", false, 5, 300},
        {"listen-and-play, PLAY bar 1", true, 4, 480},
        {"listen-and-play, five beats, PLAY bar 1", true, 5, 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.listenplay = c.listenplay;
        w.beatsinbar = c.beats;
        const int64_t start = starttestnow();
        // The key is struck as the downbeat comes; the first pass that reads
        // the downbeat's tick takes it.
        beforetick(start + c.downbeat);
        const int64_t barstart = Module1.startruntime;
        arrive({noteon(60)});
        nextpass();
        ASSERT_EQ(platform::Ticks(), start + c.downbeat);
        ASSERT_NE(Module1.startruntime, barstart) << "the same pass started the bar";
        EXPECT_EQ(cell(0, 1), "0");
        EXPECT_EQ(w.place[0], 0);
        EXPECT_EQ(w.notecount, 0) << "the bar's start came after the tap";
        press();
    }
}

// The cadence is counted before the tap: after the third-last, second-last
// and last taps nextnote is 1, 0, 0; a tap beyond the last note is dropped.
TEST_F(MidiTapTest, TheLastTwoTapsOfATestSoundOneAndZero) {
    w.listenplay = false;
    Module1.playmidinotes = true;
    const int64_t start = starttestnow();
    afterpass(start + 3 * 240 + 161);  // the last page: 4 + 4 + 4 + 3 notes
    ASSERT_EQ(w.pagenumber, 3);
    ASSERT_EQ(w.notessofar, 15);

    // Eleven keys at once, then the fourth-last tap, which still walks.
    time.advanceToTick(start + 3 * 240 + 170);
    for (int k = 0; k < 11; ++k) arrive({noteon(48 + k)});
    nextpass();
    const size_t draws = random->ranges.size();
    int64_t at = start + 3 * 240 + 175;
    midiat(at++, {noteon(60)});
    ASSERT_EQ(w.notesplayedsofar, 12);
    EXPECT_GT(random->ranges.size(), draws) << "the fourth-last tap walks";
    const size_t walked = random->ranges.size();

    const size_t heard = samplesplayed().size();
    for (int64_t expected : {1, 0, 0}) {
        midiat(at++, {noteon(60)});
        EXPECT_EQ(w.nextnote, expected);
    }
    EXPECT_EQ(random->ranges.size(), walked) << "the cadence draws nothing";
    const std::vector<int64_t> sounded = pitchessounded();
    EXPECT_EQ(std::vector<int64_t>(sounded.begin() + int64_t(heard) + 1, sounded.end()),
              (std::vector<int64_t>{1, 0}));
    EXPECT_EQ(w.notesplayedsofar, 15);

    const Snapshot before = snapshot();
    midiat(at++, {noteon(60)});
    EXPECT_EQ(snapshot(), before) << "no note is left";
}

// The first gate bounds the taps by the notes generated so far; in
// listen-and-play mode the clock passes over an untapped bar, and taps then
// run ahead of the rows that exist: they sound and count, and write nothing.
TEST_F(MidiTapTest, TapsBeyondTheNotes) {
    Module1.playmidinotes = true;
    {
        SCOPED_TRACE("more keys than notes generated");
        w.listenplay = false;
        const int64_t start = starttestnow();
        ASSERT_EQ(w.notessofar, 4);
        midiat(start + 240 + 10, {noteon(60), noteon(61), noteon(62), noteon(63), noteon(64), noteon(65)});
        EXPECT_EQ(column(1), (QStringList{"10", "10", "10", "10"}));
        EXPECT_EQ(w.notesplayedsofar, 4);
        EXPECT_EQ(Module1.allnotes, 4);
        EXPECT_EQ(samplesplayed().size(), 4u);
        press();
    }
    {
        SCOPED_TRACE("taps past the rows");
        w.listenplay = true;
        sound.plays.clear();
        const int64_t start = starttestnow();
        afterpass(start + 960);  // PLAY bar 2 begins; bar 1 went by untapped
        ASSERT_EQ(Module1.allnotes, 4);
        ASSERT_EQ(w.notelist->ListCount(), 8);
        const size_t listened = samplesplayed().size();
        midiat(start + 960 + 3, {noteon(60), noteon(61), noteon(62), noteon(63), noteon(64)});
        EXPECT_EQ(samplesplayed().size(), listened + 5);
        EXPECT_EQ(w.notesplayedsofar, 5);
        EXPECT_EQ(Module1.allnotes, 9);
        EXPECT_EQ(w.notecount, 5);
        EXPECT_EQ(column(1), (QStringList{"", "", "", "", "243", "243", "243", "243"}));
        EXPECT_EQ(std::vector<int64_t>(w.place.begin(), w.place.begin() + 5), (std::vector<int64_t>{3, 3, 3, 3, -1}));
    }
}

// A failed read takes no tap and the drain goes on; a failed poll ends the
// drain, and what waits is taken at the next pass.
TEST_F(MidiTapTest, StreamErrorsLoseNoLaterTap) {
    enum class Fault { read, overflow, poll };
    struct Case {
        const char* name;
        Fault fault;
        int64_t tapsinthepass;
    };
    const Case cases[] = {
        {"a read that fails", Fault::read, 1},
        {"a buffer that overflowed", Fault::overflow, 1},
        {"a poll that fails", Fault::poll, 0},
    };
    w.listenplay = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int64_t start = starttestnow();
        time.advanceToTick(start + 240 + 20);
        switch (c.fault) {
        case Fault::read:
            portmidi_standin::failNext(portmidi_standin::Call::Read, pmBufferOverflow);
            arrive({noteon(60)});
            break;
        case Fault::overflow:
            // The buffer holds 100 events; the one after them is lost.
            for (int k = 0; k < 99; ++k) arrive({Pm_Message(128, 60, 0)});
            arrive({noteon(60)});
            EXPECT_FALSE(portmidi_standin::deliver(keysinuse, noteon(61), 0));
            break;
        case Fault::poll:
            portmidi_standin::failNext(portmidi_standin::Call::Poll, pmHostError, "driver hiccup");
            arrive({noteon(60)});
            break;
        }
        nextpass();
        EXPECT_EQ(w.notesplayedsofar, c.tapsinthepass);
        EXPECT_EQ(cell(0, 1), c.tapsinthepass ? "20" : "");
        EXPECT_EQ(waiting(), c.tapsinthepass == 0);
        nextpass();
        EXPECT_EQ(w.notesplayedsofar, 1) << "the waiting tap, at the next pass";
        EXPECT_EQ(Module1.s->DeviceID(), keysinuse);
        press();
    }
}

// After a fault in any pass the clock's handler closes s; the next pass opens
// the device that was in use again, not device 0, and taps from it go on.
TEST_F(MidiTapTest, AFaultInAPassReopensTheDeviceInUseBeforeIt) {
    enum class Cause { missingsample, damagednote, damagednotewithkeyboard };
    struct Case {
        const char* name;
        Cause cause;
    };
    const Case cases[] = {
        // First, while no pass has read MIDI yet: only the handler saw the device.
        {"a damaged pitch while the keyboard was the input", Cause::damagednotewithkeyboard},
        {"a MIDI tap's sample missing", Cause::missingsample},
        {"a LISTEN note with a damaged pitch", Cause::damagednote},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        Module1.midiinput = c.cause != Cause::damagednotewithkeyboard;
        w.listenplay = c.cause != Cause::missingsample;
        Module1.playmidinotes = c.cause == Cause::missingsample;
        const platform::SoundPtr sample = Module1.sounds[0];
        const int64_t start = starttestnow();

        // The fault, and its repair after the handler has closed s.
        if (c.cause == Cause::missingsample) {
            Module1.sounds[0] = nullptr;
            midiat(start + 240 + 10, {noteon(60)});
            EXPECT_EQ(w.notesplayedsofar, 0);
            Module1.sounds[0] = sample;
        } else {
            w.notelist->setCell(0, 3, "9");
            afterpass(start + 241);  // LISTEN bar 1 plays its first note
            w.notelist->setCell(0, 3, "0");
        }
        ASSERT_FALSE(messages.isEmpty());
        EXPECT_EQ(messages.back(), "Timer1");
        EXPECT_EQ(Module1.s->DeviceID(), -1);
        EXPECT_FALSE(portmidi_standin::isOpen(keysinuse));

        if (c.cause == Cause::damagednotewithkeyboard) {
            // MIDI input chosen for the next test.
            press();
            Module1.midiinput = true;
            const int64_t next = starttestnow();
            nextpass();
            EXPECT_EQ(Module1.s->DeviceID(), keysinuse);
            midiat(next + 480 + 30, {noteon(60)});
        } else {
            nextpass();
            EXPECT_EQ(Module1.s->DeviceID(), keysinuse);
            midiat(start + (w.listenplay ? 480 : 240) + 30, {noteon(60)});
        }
        EXPECT_FALSE(portmidi_standin::isOpen(0));
        EXPECT_EQ(cell(0, 1), "30");
        press();
    }
}

// A reopen that fails is tried again at every pass, on the same device.
TEST_F(MidiTapTest, AFailedReopenIsTriedAgainOnTheSameDevice) {
    w.listenplay = false;
    Module1.playmidinotes = true;
    const platform::SoundPtr sample = Module1.sounds[0];
    const int64_t start = starttestnow();
    Module1.sounds[0] = nullptr;
    midiat(start + 240 + 10, {noteon(60)});
    Module1.sounds[0] = sample;
    ASSERT_EQ(Module1.s->DeviceID(), -1);
    const size_t opensbefore = portmidi_standin::opens().size();

    portmidi_standin::failNext(portmidi_standin::Call::OpenInput, pmHostError, "device busy");
    nextpass();
    EXPECT_EQ(Module1.s->DeviceID(), -1);
    nextpass();
    EXPECT_EQ(Module1.s->DeviceID(), keysinuse);
    const std::vector<portmidi_standin::Open> opens = portmidi_standin::opens();
    ASSERT_EQ(opens.size(), opensbefore + 2);
    for (size_t i = opensbefore; i < opens.size(); ++i) {
        EXPECT_EQ(opens[i].deviceId, keysinuse);
        EXPECT_TRUE(opens[i].input);
        EXPECT_EQ(opens[i].bufferSize, 100);
    }
    EXPECT_EQ(messages, QStringList{"Timer1"}) << "a failed reopen is not reported";
}

// When nothing ever told the clock of a device (s lost its stream before any
// pass saw one open, and not through the saved-device reopen, which names the
// device in use), it has nothing better than device 0.
TEST_F(MidiTapTest, WithNoDeviceKnownTheReopenTriesDeviceZero) {
    w.listenplay = false;
    EXPECT_LT(Module1.s->OpenInput(7, 100), 0);
    const int64_t start = starttestnow();
    nextpass();
    EXPECT_EQ(Module1.s->DeviceID(), 0);
    time.advanceToTick(start + 240 + 5);
    EXPECT_TRUE(portmidi_standin::deliver(0, noteon(60), 0));
    nextpass();
    EXPECT_EQ(cell(0, 1), "5");
}

TEST_F(MidiTapTest, WithMidiInputOffNothingIsPolled) {
    Module1.midiinput = false;
    w.listenplay = false;
    const int64_t start = starttestnow();
    time.advanceToTick(start + 240 + 10);
    const Snapshot before = snapshot();
    arrive({noteon(60), noteon(62)});
    afterpass(start + 240 + 100);
    EXPECT_EQ(snapshot(), before);
    std::shared_ptr<PortMidiEventVLX> event;
    ASSERT_EQ(Module1.s->Read(event), 1) << "still waiting in the stream";
    EXPECT_EQ(event->Data1(), 60);
}

// Every note tapped on its due tick on a MIDI keyboard, through to the score.
TEST_F(MidiTapTest, WholeTestsPlayedInTimeScorePerfect) {
    Module1.level = 4;
    Module1.stlevel = 2;  // quavers and semiquavers
    for (bool listenplay : {true, false}) {
        SCOPED_TRACE(listenplay ? "listen-and-play" : "continuous");
        w.listenplay = listenplay;
        Module1.playmidinotes = listenplay;
        const int64_t start = starttestnow();
        const int64_t bar = 240;
        while (w.Timer1.Enabled()) {
            if (Module1.allnotes >= w.notelist->ListCount()) {
                time.advanceMs(10);
                continue;
            }
            const int64_t due = platform::ValInteger(cell(int(Module1.allnotes), 0));
            const int64_t at = listenplay ? start + (due / bar + 2) * bar + due : start + bar + due;
            ASSERT_GT(at, platform::Ticks()) << "the note's row came too late to be tapped";
            midiat(at, {noteon(60)});
        }
        const QStringList due = column(0);
        EXPECT_EQ(column(1), due);
        EXPECT_EQ(w.notesplayedsofar, due.size());
        EXPECT_DOUBLE_EQ(Module1.correct, 100.0);
        EXPECT_TRUE(messages.isEmpty());
    }
}

}  // namespace
