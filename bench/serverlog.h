#pragma once
// What the sound server itself says of the playback streams in a stretch of
// its debug log: how many streams ran and for how long, how often each ran
// dry ("Implicit underrun": the server had to play silence because the
// client's data came too late), and the latency the server settled on.

#include <string>

struct ServerStreams {
    int streams = 0;             // playback streams created in the stretch
    int underruns = 0;           // all of them, in every stream
    int underrunsBeyondOne = 0;  // beyond the first of each stream (a stream runs dry as it closes)
    double streamSeconds = 0;    // from each stream's creation to its end (or the stretch's end)
    double latencyMs = -1;       // the last stream's "Final latency"; -1 when none was said
    double underrunsPerSecond() const { return streamSeconds > 0 ? underruns / streamSeconds : 0; }
};

// `log`: lines of a log written with --log-level=debug --log-time=1.
ServerStreams readServerStreams(const std::string& log);
