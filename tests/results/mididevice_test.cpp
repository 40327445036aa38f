// The MIDI device in the settings file, over the PortMidi stand-in: saved as
// the device the input stream holds, reopened when MIDI input is restored.

#include "midi/standin/notelink_standin.h"
#include "midi/standin/portmidi_standin.h"
#include "platform/portmidiclasses.h"
#include "results/scrambler.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "support/appfixture.h"

#include <QDir>
#include <QFile>

namespace {

class MidiDevice : public AppFixture {
protected:
    MidiDevice() {
        portmidi_standin::reset();
        for (const char* name : {"Keys A", "Keys B", "Keys C"}) portmidi_standin::addInput(name);
        portmidi_standin::addOutput("Synth");  // 3
        EXPECT_TRUE(portmidi_standin::loadFreshNotelink());
    }
    ~MidiDevice() override {
        Window1::destroy();
        Module1 = Module1State{};  // releases the stream, closing its device
        portmidi_standin::reset();
    }

    // The state the start-up scan leaves: the last input device open in s.
    Window1& openwithinput() {
        Window1& w = openWindow();
        Module1.s = std::make_shared<PortMidiStreamVLX>();
        EXPECT_EQ(Module1.s->OpenInput(2, 100), 0);
        Module1.midiinputpos = true;
        return w;
    }
    void writeplain(const QStringList& lines) const {
        QFile file(QDir(programFolder()).filePath(QStringLiteral("mydata.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QString& line : lines) file.write((scrambler::encpw(line, 2) + QLatin1Char('\n')).toUtf8());
    }
    QString savedline(int index) const {
        QFile file(QDir(programFolder()).filePath(QStringLiteral("mydata.txt")));
        if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("(no file)");
        const QList<QByteArray> lines = file.readAll().split('\n');
        return scrambler::decpw(QString::fromUtf8(lines.value(index)), 0);
    }
    static QStringList withmidi(const char* input, const char* device) {
        return {"0", "0", "0", "0", "0", "0", input, "80", "lp", "60", "notpmn", device, "rep"};
    }
};

}  // namespace

// A saved device that does not open brings back the one the start-up scan
// left open (device 2), not device 0, and the test clock's own reopen after
// a fault is told the device in use.
TEST_F(MidiDevice, RestoredMidiInputReopensTheSavedDevice) {
    const struct {
        const char* input;
        const char* device;
        bool savedopenfails;  // the open answers a host error
        bool midi;
        int64_t held;
        int64_t reopen;       // the device the clock's reopen tries; -1 none known
    } cases[] = {
        {"midi", "1", false, true, 1, 1},
        {"midi", "nf", false, true, 0, 0},
        {"midi", "", false, true, 0, 0},
        {"midi", "7", false, true, 2, 2},           // the device is gone
        {"midi", "3", false, true, 2, 2},           // the number now names an output
        {"midi", "4294967297", false, true, 2, 2},  // beyond any device number, not device 1
        {"midi", "-2", false, true, 2, 2},
        {"midi", "1", true, true, 2, 2},
        {"midi", "nf", true, true, 2, 2},
        {"notmidi", "1", false, false, 2, -1},      // not restored: s stays as the scan left it
        {"MIDI", "1", false, false, 2, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input) + " " + c.device + (c.savedopenfails ? " failing" : ""));
        // The window's open reads the file too: it must not find the last case's.
        QFile::remove(QDir(programFolder()).filePath(QStringLiteral("mydata.txt")));
        Window1& w = openwithinput();
        writeplain(withmidi(c.input, c.device));
        if (c.savedopenfails) portmidi_standin::failNext(portmidi_standin::Call::OpenInput, pmHostError, "gone");
        w.loaddata();
        EXPECT_EQ(Module1.midiinput, c.midi);
        EXPECT_EQ(Module1.s->DeviceID(), c.held);
        EXPECT_EQ(w.midireopendevice, c.reopen);
        for (int id = 0; id < 3; ++id) EXPECT_EQ(portmidi_standin::isOpen(id), id == c.held) << "device " << id;
        EXPECT_TRUE(Module1.reptest);  // the line after the device still counts
        Window1::destroy();
        Module1 = Module1State{};
    }
}

// The clock's reopen after a fault comes back to the device in use after a
// failed reopen of the saved one, even before any pass has seen it open.
TEST_F(MidiDevice, AfterAFailedReopenTheClocksReopenFindsTheDeviceInUse) {
    Window1& w = openwithinput();
    writeplain(withmidi("midi", "7"));
    w.loaddata();
    ASSERT_EQ(Module1.s->DeviceID(), 2);
    Module1.s->Close();  // as the clock's fault handler does
    w.takemiditaps();
    EXPECT_EQ(Module1.s->DeviceID(), 2);
    EXPECT_FALSE(portmidi_standin::isOpen(0));
}

TEST_F(MidiDevice, WithoutAnInputOpenedAtStartUpMidiIsNotRestored) {
    Window1& w = openWindow();
    Module1.s = std::make_shared<PortMidiStreamVLX>();
    Module1.midiinputpos = false;
    writeplain(withmidi("midi", "1"));
    w.loaddata();
    EXPECT_FALSE(Module1.midiinput);
    EXPECT_EQ(Module1.s->DeviceID(), -1);
    EXPECT_FALSE(portmidi_standin::isOpen(1));
    w.savedata();
    EXPECT_EQ(savedline(6), "notmidi");
    EXPECT_EQ(savedline(11), "nf");
}

TEST_F(MidiDevice, TheSaveNamesTheDeviceTheStreamHolds) {
    Window1& w = openwithinput();
    w.savedata();  // whatever the input method: a stream was opened at start-up
    EXPECT_EQ(savedline(6), "notmidi");
    EXPECT_EQ(savedline(11), "2");
    Module1.s->Close();
    w.savedata();
    EXPECT_EQ(savedline(11), "nf");
    EXPECT_EQ(Module1.s->OpenInput(1, 100), 0);
    Module1.midiinput = true;
    w.savedata();
    EXPECT_EQ(savedline(6), "midi");
    EXPECT_EQ(savedline(11), "1");
}
