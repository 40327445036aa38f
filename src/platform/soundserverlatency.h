#pragma once
// How much sound a sound server keeps queued for the program's stream.
//
// SDL asks a PulseAudio server (or a server speaking its protocol) for a
// target length of a single mixing buffer, under 6 ms at 256 frames. Any
// wake-up of SDL's audio thread a few milliseconds late then starves the
// stream, and the player hears a sound stop for a moment in its middle. Two
// buffers queued keep the stream fed; much more and the server asks for data
// in bursts, which spoils the evenness of the metronome's clicks. The server's
// client library takes the target from PULSE_LATENCY_MSEC when the stream
// connects; a value the user set there is kept. Header-only, so that the
// benchmark's bare player asks exactly as the program does.

#include <cstdlib>
#include <string>

namespace platform {

// Two mixing buffers in whole milliseconds, rounded down (every millisecond
// queued is one more between a tap and its sound); that still stays above one
// buffer, for any buffer of a millisecond or more.
constexpr int soundServerLatencyMs(int frames, int frequency) { return 2000 * frames / frequency; }

// What PULSE_LATENCY_MSEC is to hold for a stream of `frames`: the user's
// value, when `usersvalue` is one (an empty one means nothing to the client
// library), else two buffers.
inline std::string soundServerLatency(const char* usersvalue, int frames, int frequency) {
    if (usersvalue && *usersvalue) return usersvalue;
    return std::to_string(soundServerLatencyMs(frames, frequency));
}

// Puts the target for the next stream of `frames` into the environment,
// before the device opens. The user's value is the one seen at the first
// call, before this program put one of its own there.
inline void askSoundServerLatency(int frames, int frequency) {
    static const std::string usersvalue = [] {
        const char* value = std::getenv("PULSE_LATENCY_MSEC");
        return std::string(value ? value : "");
    }();
    // Setting a variable that already exists only swaps its value, so a
    // later opening with another buffer size does not move the environment
    // under a thread that reads it.
    setenv("PULSE_LATENCY_MSEC", soundServerLatency(usersvalue.c_str(), frames, frequency).c_str(), 1);
}

}  // namespace platform
