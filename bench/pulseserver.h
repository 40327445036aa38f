#pragma once
// A sound server of the benchmark's own: PulseAudio with one null sink
// ("cap", 44.1 kHz, no rewinds, so nothing is resampled or rewritten and its
// monitor is an in-order copy of what was rendered), on a socket in a private
// runtime folder. While it runs, this process's environment points every
// client (SDL, parec, helpers) at it and at nothing else.

#include "childprocess.h"
#include "serverlog.h"

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

    // A place in the server's log, and what it said of the playback streams
    // from there on.
    qint64 logMark() const;
    ServerStreams streamsSince(qint64 mark) const;

private:
    std::string log(qint64 from = 0) const;
    std::string lastWords() const;  // the end of the log, for an error
    QTemporaryDir runtime_;
    std::unique_ptr<ChildProcess> server_;
};
