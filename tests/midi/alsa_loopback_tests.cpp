// One round trip through the real MIDI stack: a note-on sent from an ALSA
// sequencer port of the test's own reaches the program through PortMidi and
// Notelink. It needs ALSA's sequencer, which machines without sound hardware
// or without the snd-seq module lack; there the test is skipped, saying why.

#include "platform/pluginhost.h"
#include "platform/portmidiclasses.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <unistd.h>

#ifdef TAPTRELL_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace {

constexpr const char* sequencerDevice = "/dev/snd/seq";

TEST(AlsaLoopback, NoteOnFromAnAlsaPortArrivesAsAnEvent) {
#ifndef TAPTRELL_HAVE_ALSA
    GTEST_SKIP() << "built without ALSA's development files, so no ALSA port can be made";
#else
    if (access(sequencerDevice, R_OK | W_OK) != 0)
        GTEST_SKIP() << sequencerDevice << " is absent or not usable here: no ALSA sequencer to loop back through";
    ASSERT_TRUE(platform::loadPlugins(TAPTRELL_PROGRAM_DIR));

    snd_seq_t* sender = nullptr;
    ASSERT_EQ(snd_seq_open(&sender, "default", SND_SEQ_OPEN_OUTPUT, 0), 0);
    snd_seq_set_client_name(sender, "Taptrell loop-back test");
    const char* portName = "Taptrell loop-back";
    const int port = snd_seq_create_simple_port(sender, portName, SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                                SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    ASSERT_GE(port, 0);

    // The port is new: only a rebuilt device list shows it, as an input.
    const auto pm = std::make_shared<PortMidiVLX>();
    ASSERT_EQ(PortMidiVLX::ReInitialize(), 0);
    int64_t id = -1;
    for (int64_t d = 0; d < PortMidiVLX::CountDevices() && id < 0; ++d) {
        const auto info = PortMidiVLX::DeviceInfo(d);
        if (info && info->Name() == QLatin1String(portName)) id = d;
    }
    ASSERT_GE(id, 0) << "the port is not in PortMidi's device list";
    EXPECT_TRUE(PortMidiVLX::DeviceInfo(id)->HasInput());
    EXPECT_EQ(PortMidiVLX::DeviceInfo(id)->InterfaceName(), "ALSA");

    auto s = std::make_shared<PortMidiStreamVLX>();
    ASSERT_EQ(s->OpenInput(id, 100), 0);
    EXPECT_EQ(s->DeviceName(), QLatin1String(portName));

    snd_seq_event_t noteOn;
    snd_seq_ev_clear(&noteOn);
    snd_seq_ev_set_source(&noteOn, static_cast<unsigned char>(port));
    snd_seq_ev_set_subs(&noteOn);
    snd_seq_ev_set_direct(&noteOn);
    snd_seq_ev_set_noteon(&noteOn, 0, 60, 100);
    ASSERT_GE(snd_seq_event_output_direct(sender, &noteOn), 0);

    // The kernel hands the event on at once, but on its own schedule: wait
    // for it, within a bound that only a lost event reaches.
    for (int waited = 0; waited < 2000 && s->Poll() != 1; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::shared_ptr<PortMidiEventVLX> event;
    ASSERT_EQ(s->Read(event), 1) << "the note-on did not arrive";
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->Status(), 144);
    EXPECT_EQ(event->Data1(), 60);
    EXPECT_EQ(event->Data2(), 100);
    EXPECT_EQ(s->Read(event), 0);

    s.reset();
    snd_seq_close(sender);
#endif
}

}  // namespace
