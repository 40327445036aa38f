#pragma once
// Module1: the program-wide globals. Settings, totals to date, the state of
// the running test or replay, the asset tables and the MIDI input. They live
// for the whole run and are read and written directly, on the GUI thread.

#include "platform/picture.h"
#include "platform/sound.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class PortMidiStreamVLX;
class PortMidiVLX;

struct Module1State {
    // Settings.
    int64_t level = 2;           // highest rhythm-group code a test may draw
    int64_t stlevel = 0;         // lowest rhythm-group code a test may draw
    int64_t tickspeed = 60;      // beat length in ticks (20..80); tempo 3600 \ tickspeed bpm
    int64_t earlychange = 80;    // continuous mode: next bar shown this many beat-sixtieths early
    int64_t skillcorrect = 0;    // accuracy setting: one-tick correction passes (0..2)
    bool midiinput = false;      // taps come from a MIDI device
    bool playmidinotes = false;  // a MIDI tap also plays the instrument sample
    bool reptest = false;        // repeat each test until happy
    QString ins = QStringLiteral("piano");  // the instrument's sample folder
    int64_t insindex = 0;        // the instrument menu's row for ins

    // Totals to date.
    int64_t totaltests = 0;
    int64_t totalnotes = 0;
    double totalaccuracy = 0.0;  // percent, the mean of the tests' accuracies
    double correct = 0.0;        // perfect hits, percent of notes (mean over tests)
    double almost = 0.0;         // near hits, percent of notes (mean over tests)
    double miss = 0.0;           // way-off hits and unplayed notes, percent (mean over tests)

    // State of the running test or replay.
    bool countin = true;              // the count-in bar is running
    int64_t metcount = 0;             // metronome beats clicked in the current bar
    int64_t allnotes = 0;             // the notelist row the next tap is matched to
    int64_t lastnoteplayed = 0;       // pitch index the last accepted tap sounded; -1 none yet
    int64_t startruntime = 0;         // tick count at the first beat of the current bar
    int64_t lasttesttickspeed = 0;    // the tempo every tick of the last test is counted at
    bool retest = false;              // the next test repeats the last one from retestlist

    // Asset tables.
    std::array<platform::PicturePtr, 31> notes{};  // picture of each rhythm-group code
    std::array<int64_t, 31> notespace{};           // width figure of each code, picture pixels
    std::array<platform::SoundPtr, 7> sounds{};    // samples of the instrument by pitch index

    // MIDI input.
    std::shared_ptr<PortMidiVLX> pm;           // brings the MIDI library up at window open
    std::shared_ptr<PortMidiStreamVLX> s;      // the MIDI input stream; nil with no input device
    bool midiinputpos = false;                 // a MIDI input opened at start-up
};

extern Module1State Module1;
