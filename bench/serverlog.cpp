#include "serverlog.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>

namespace {

// "(   1.503|   0.000) I: [pulseaudio] ..." : the seconds since the server started.
bool lineTime(const std::string& line, double& seconds) {
    return std::sscanf(line.c_str(), " (%lf|", &seconds) == 1;
}

struct Stream {
    double created = 0;
    int underruns = 0;
};

}  // namespace

ServerStreams readServerStreams(const std::string& log) {
    ServerStreams out;
    std::map<unsigned, Stream> open;
    unsigned latest = 0;  // an underrun names the stream only by its title: it is the newest open one's
    double now = 0;
    auto close = [&](unsigned index, double when) {
        const auto found = open.find(index);
        if (found == open.end()) return;
        out.streamSeconds += when - found->second.created;
        if (found->second.underruns > 1) out.underrunsBeyondOne += found->second.underruns - 1;
        open.erase(found);
    };
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        if (!lineTime(line, now)) continue;
        unsigned index = 0;
        double ms = 0;
        const char* text = line.c_str();
        if (const char* created = std::strstr(text, "sink-input.c: Created input ");
            created && std::sscanf(created, "sink-input.c: Created input %u", &index) == 1) {
            open[index] = Stream{now, 0};
            latest = index;
            ++out.streams;
        } else if (const char* freed = std::strstr(text, "sink-input.c: Freeing input ");
                   freed && std::sscanf(freed, "sink-input.c: Freeing input %u", &index) == 1) {
            close(index, now);
        } else if (std::strstr(text, "Implicit underrun of ")) {
            ++out.underruns;
            if (const auto stream = open.find(latest); stream != open.end()) ++stream->second.underruns;
        } else if (const char* settled = std::strstr(text, "Final latency ");
                   settled && std::sscanf(settled, "Final latency %lf ms", &ms) == 1) {
            out.latencyMs = ms;
        }
    }
    while (!open.empty()) close(open.begin()->first, now);
    return out;
}
