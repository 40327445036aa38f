#pragma once
// A sound server of the benchmark's own: PulseAudio with one null sink
// ("cap", 44.1 kHz, no rewinds, so nothing is resampled or rewritten and its
// monitor is an in-order copy of what was rendered), on a socket in a private
// runtime folder. While it runs, this process's environment points every
// client (SDL, parec, helpers) at it and at nothing else.

#include "childprocess.h"

#include <QTemporaryDir>
#include <memory>
#include <string>

class PulseServer {
public:
    // Starts the server and waits for its socket; throws std::runtime_error
    // when it does not come up.
    PulseServer();
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    static constexpr int rate = 44100;
    static constexpr const char* monitor = "cap.monitor";
    // Throws std::runtime_error, with what the server said, when it has ended.
    void checkRunning();

private:
    std::string log() const;
    QTemporaryDir runtime_;
    std::unique_ptr<ChildProcess> server_;
};
