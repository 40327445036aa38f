#pragma once
// The MIDI classes of the plug-in library Notelink, as the program uses
// them. Every member calls the library function bound to its declaration at
// start-up (platform::loadPlugins). Objects are reference-counted: hold them
// in std::shared_ptr; when the last reference goes the library object is
// released, and a stream that held an open device closes it.
//
// Without a bound library the classes answer as PortMidi does with no MIDI
// device at all: no devices, nil device information, opens that fail with
// pmInvalidDeviceId, streams that hold nothing.
//
// Integer is int64_t. Strings come back as QString; system-exclusive bytes
// go out as QByteArray, unconverted.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

struct PluginObject;

// One toolkit object reference, held by each of the classes below.
class PortMidiObjectHandle {
public:
    PortMidiObjectHandle() = default;
    explicit PortMidiObjectHandle(PluginObject* adopted) : object_(adopted) {}
    PortMidiObjectHandle(const PortMidiObjectHandle&) = delete;
    PortMidiObjectHandle& operator=(const PortMidiObjectHandle&) = delete;
    ~PortMidiObjectHandle();

    PluginObject* get() const { return object_; }

private:
    PluginObject* object_ = nullptr;
};

// One MIDI message packed into 32 bits, and a timestamp in milliseconds.
class PortMidiEventVLX {
public:
    // A new event: message 0, When 0.
    PortMidiEventVLX();
    // Takes over one reference to a library event object.
    explicit PortMidiEventVLX(PluginObject* adopted);

    // Bytes of the message, 0..255; setting one stores the value's low 8 bits.
    int64_t Status() const;
    void setStatus(int64_t value);
    int64_t Data1() const;
    void setData1(int64_t value);
    int64_t Data2() const;
    void setData2(int64_t value);
    int64_t RawData0() const;
    void setRawData0(int64_t value);
    int64_t RawData1() const;
    void setRawData1(int64_t value);
    int64_t RawData2() const;
    void setRawData2(int64_t value);
    int64_t RawData3() const;
    void setRawData3(int64_t value);
    // The timestamp, read sign-extended from 32 bits; set from the low 32 bits.
    int64_t When() const;
    void setWhen(int64_t value);
    // The whole message as a signed 32-bit number; set from the low 32 bits.
    int64_t RawMessage() const;
    void setRawMessage(int64_t value);

    // Status, data1, data2 into bytes 0..2, byte 3 cleared; When unchanged.
    void Set(int64_t status, int64_t data1, int64_t data2);
    // Bytes 0..3 of the message; When unchanged.
    void SetRaw(int64_t data0, int64_t data1, int64_t data2, int64_t data3);

    // A new event holding a copy of the last short message written to any
    // output stream; nullptr when none can be made.
    static std::shared_ptr<PortMidiEventVLX> CurrentEvent();

    PluginObject* object() const { return handle_.get(); }

private:
    PortMidiObjectHandle handle_;
};

// A read-only view of one entry of PortMidi's device list.
class PortMidiDeviceInfoVLX {
public:
    explicit PortMidiDeviceInfoVLX(PluginObject* adopted);

    QString Name() const;
    QString InterfaceName() const;
    bool HasInput() const;
    bool HasOutput() const;

private:
    PortMidiObjectHandle handle_;
};

// PortMidi's device list, defaults, error texts and initialisation.
class PortMidiVLX {
public:
    // Brings PortMidi up once per run (its device list is built then).
    PortMidiVLX();

    static int64_t ReInitialize();
    static int64_t Initialize();
    static int64_t CountDevices();
    static int64_t DefaultInputDeviceID();
    static int64_t DefaultOutputDeviceID();
    // nullptr for an id outside 0..CountDevices() - 1.
    static std::shared_ptr<PortMidiDeviceInfoVLX> DeviceInfo(int64_t DeviceID);
    static QString ErrorText(int64_t ErrorNumber);

    // PortMidi's header defines pmNoDevice as a macro; here it is a member.
#pragma push_macro("pmNoDevice")
#undef pmNoDevice
    static constexpr int64_t pmNoError = 0;
    static constexpr int64_t pmHostError = -10000;
    static constexpr int64_t pmInvalidDeviceId = -9999;
    static constexpr int64_t pmInsufficientMemory = -9998;
    static constexpr int64_t pmBufferTooSmall = -9997;
    static constexpr int64_t pmBufferOverflow = -9996;
    static constexpr int64_t pmBadPtr = -9995;
    static constexpr int64_t pmBadData = -9994;
    static constexpr int64_t pmInternalError = -9993;
    static constexpr int64_t pmBufferMaxSize = -9992;
    static constexpr int64_t pmNoDevice = -1;
#pragma pop_macro("pmNoDevice")

private:
    PortMidiObjectHandle handle_;
};

// One PortMidi stream at most, opened for input or output on one device.
// Numeric members answer -1 while the object holds no stream.
class PortMidiStreamVLX {
public:
    // Holds no stream; brings PortMidi up once per run.
    PortMidiStreamVLX();

    // Each open first closes the stream held, even when the new open fails.
    int64_t OpenInput(int64_t DeviceID, int64_t Buffersize);
    int64_t OpenOutput(int64_t DeviceID, int64_t Buffersize, int64_t Latency);
    void Close();
    int64_t Abort();

    // 1 while events wait, 0 when none do, or PortMidi's negative code.
    int64_t Poll();
    // Releases what `data` holds and sets it to nullptr; then reads one
    // event: 1 with `data` holding it, 0 when none waited, or a negative code.
    int64_t Read(std::shared_ptr<PortMidiEventVLX>& data);

    int64_t Write(const std::shared_ptr<PortMidiEventVLX>& data);
    int64_t WriteShort(int64_t When, int64_t message);
    // The bytes from 0xF0 up to and including the first 0xF7.
    int64_t WriteSysEx(int64_t When, const QByteArray& message);
    // Throws platform::NilObjectException "memoryblock is nil" for a null block.
    int64_t WriteSysEx(int64_t When, const QByteArray* message, int64_t offset);

    int64_t SetChannelMask(int64_t mask);
    int64_t SetFilter(int64_t filters);
    QString HostError();
    QString ErrorText(int64_t ErrorNumber);

    int64_t ChannelMask() const;
    int64_t Filters() const;
    // -1 when the object holds no stream.
    int64_t DeviceID() const;
    QString DeviceName() const;

    // PortTime's clock in milliseconds.
    static int64_t currentTimeStamp();

    // Filter masks for SetFilter: a set bit drops that kind of message.
    static constexpr int64_t FilterActive = 0x4000;
    static constexpr int64_t FilterSysEx = 1;
    static constexpr int64_t FilterClock = 0x1D00;
    static constexpr int64_t FilterPlay = 0x400;
    static constexpr int64_t FilterTick = 0x200;
    static constexpr int64_t FilterFD = 0x2000;
    static constexpr int64_t FilterUndefined = 0x2000;
    static constexpr int64_t FilterReset = 0x8000;
    static constexpr int64_t FilterRealTime = 0xFF01;
    static constexpr int64_t FilterNote = 0x3000000;
    static constexpr int64_t FilterChannelAftertouch = 0x20000000;
    static constexpr int64_t FilterPolyAftertouch = 0x4000000;
    static constexpr int64_t FilterAftertouch = 0x6000000;
    static constexpr int64_t FilterProgram = 0x10000000;
    static constexpr int64_t FilterControl = 0x8000000;
    static constexpr int64_t FilterPitchBend = 0x40000000;
    static constexpr int64_t FilterMTC = 2;
    static constexpr int64_t FilterSongPosition = 4;
    static constexpr int64_t FilterSongSelect = 8;
    static constexpr int64_t FilterTune = 0x40;
    static constexpr int64_t FilterSystemCommon = 0x4E;

private:
    PortMidiObjectHandle handle_;
};
