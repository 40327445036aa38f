#pragma once
// A stand-in for PortMidi, for tests. libportmidi_standin.so implements the
// Pm_* and Pt_* functions Notelink calls, over a device list and MIDI
// traffic that a test scripts with the functions below. It behaves as
// PortMidi does where Notelink relies on it: the device list is built at
// Pm_Initialize and kept until Pm_Terminate, a device opens in one stream at
// a time and only in its own direction, input waits in a queue of the
// stream's buffer size (256 for 0 or less), a full queue loses events and
// Pm_Read reports pmBufferOverflow once where they were lost, and each input
// stream drops what its filter and channel mask say (active sensing at
// first).
//
// Everything runs on the caller's thread; events arrive when the test
// delivers them.

#include <portmidi.h>
#include <porttime.h>

#include <optional>
#include <string>
#include <vector>

namespace portmidi_standin {

struct Device {
    std::string name;
    bool input = false;
    bool output = false;
    std::string interfaceName = "ALSA";
};

// Forgets everything: devices, initialisation, streams, queued and written
// messages, scripted failures, host errors, the clock.
void reset();

// Adds a device to the list built at the next Pm_Initialize; answers the id
// it gets there (devices are numbered in the order they were added).
int addDevice(const Device& device);
int addInput(const std::string& name);
int addOutput(const std::string& name);

enum class Call {
    Initialize,
    OpenInput,
    OpenOutput,
    Abort,
    Poll,
    Read,
    Write,
    WriteShort,
    WriteSysEx,
    SetFilter,
    SetChannelMask,
};

// The next `call` answers `result` and does nothing else (an open then
// gives no stream). With `hostErrorText`, a host error with that text is
// pending afterwards, as when the operating system reported one.
void failNext(Call call, PmError result, const std::string& hostErrorText = {});

// Makes a host error pending, as the driver does when it meets one.
void setHostError(const std::string& text);

// Incoming MIDI, as the driver hands it to the input stream open on
// `deviceId`. Answers whether it was queued: false when no input stream is
// open there, when the stream filters it out, or when the queue is full.
bool deliver(int deviceId, PmMessage message, PmTimestamp timestamp);
bool deliverNoteOn(int deviceId, int key, int velocity, PmTimestamp timestamp);

// Pt_Time's answer.
void setTime(PtTimestamp milliseconds);

// What PortMidi was asked.
bool initialized();
int initializeCalls();
int terminateCalls();
bool isOpen(int deviceId);

struct Open {
    int deviceId;
    bool input;
    int32_t bufferSize;
    int32_t latency;      // 0 for input
    bool driverInfo;      // a driver-information pointer was given
    bool timeProc;        // a time procedure was given
};
std::vector<Open> opens();

// The filter and channel mask of the stream open on `deviceId`.
std::optional<int32_t> filterOf(int deviceId);
std::optional<int32_t> channelMaskOf(int deviceId);

struct Written {
    enum class Kind { Short, Event, SysEx };
    int deviceId;
    Kind kind;
    PmMessage message;                 // Short and Event
    PmTimestamp timestamp;
    std::vector<unsigned char> bytes;  // SysEx: up to and including 0xF7
};
std::vector<Written> written();

// Calls that named a stream PortMidi no longer has (closed, or gone with
// Pm_Terminate): a library using stale streams shows up here.
int staleStreamCalls();

}  // namespace portmidi_standin
