#include "recorder.h"

#include "pulseserver.h"

#include <chrono>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

int64_t steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

}  // namespace

bool Recorder::start() {
    // A busy server may turn a connection away; a moment later it takes it.
    for (int attempt = 0; attempt < 3; ++attempt)
        if (startOnce()) return true;
    return false;
}

bool Recorder::startOnce() {
    stop();
    left_.clear();
    arrivals_.clear();
    line_ = {};
    uneven_ = 0;
    cpu_ = 0;
    int pipefd[2];
    if (pipe(pipefd) != 0) return false;
    parec_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"parec", "-d", PulseServer::monitor, "--format=s16le", "--channels=2",
                                 "--rate=" + std::to_string(PulseServer::rate), "--raw", "--latency-msec=10"},
        pipefd[1], "/dev/stderr");
    close(pipefd[1]);
    if (!parec_->started()) {
        close(pipefd[0]);
        return false;
    }
    reader_ = std::thread([this, fd = pipefd[0]] { read(fd); });
    // The stream connects and its first pieces arrive.
    usleep(300'000);
    return parec_->running();
}

void Recorder::stop() {
    if (parec_) parec_->stop();  // its end closes the pipe and ends the reader
    if (reader_.joinable()) reader_.join();
    parec_.reset();
    line_ = fit();
}

void Recorder::read(int fd) {
    const double cpuStart = threadCpuSeconds();
    std::vector<int16_t> piece(8192);
    size_t pending = 0;  // bytes of a frame split between two reads
    for (;;) {
        const ssize_t got = ::read(fd, reinterpret_cast<char*>(piece.data()) + pending,
                                   piece.size() * sizeof(int16_t) - pending);
        if (got <= 0) break;
        const int64_t at = steadyNs();
        const size_t bytes = pending + size_t(got);
        const size_t frames = bytes / 4;
        for (size_t i = 0; i < frames; ++i) {
            left_.push_back(piece[2 * i]);
            if (piece[2 * i] != piece[2 * i + 1]) ++uneven_;
        }
        pending = bytes - frames * 4;
        if (pending) std::memmove(piece.data(), reinterpret_cast<char*>(piece.data()) + frames * 4, pending);
        arrivals_.push_back({at, int64_t(left_.size())});
    }
    close(fd);
    cpu_ = threadCpuSeconds() - cpuStart;
}

Recorder::Line Recorder::fit() const {
    // The first second is left out: the stream starts with a burst.
    std::vector<std::pair<double, double>> points;
    for (const auto& [ns, frames] : arrivals_)
        if (ns - arrivals_.front().first > 1'000'000'000) points.push_back({double(ns) / 1e9, double(frames)});
    if (points.size() < 2) return {};
    double mt = 0, mf = 0;
    for (const auto& [t, f] : points) {
        mt += t;
        mf += f;
    }
    mt /= double(points.size());
    mf /= double(points.size());
    double stf = 0, stt = 0;
    for (const auto& [t, f] : points) {
        stf += (t - mt) * (f - mf);
        stt += (t - mt) * (t - mt);
    }
    if (stt <= 0) return {};
    return {stf / stt, mt, mf};
}

double Recorder::measuredRate() const { return line_.rate > 0 ? line_.rate : PulseServer::rate; }

double Recorder::frameSeconds(int64_t frame) const {
    if (line_.rate <= 0) return -1;
    return line_.seconds + (double(frame) - line_.frames) / line_.rate;
}

double Recorder::seconds() const {
    if (arrivals_.size() < 2) return 0;
    return double(arrivals_.back().first - arrivals_.front().first) / 1e9;
}
