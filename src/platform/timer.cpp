#include "platform/timer.h"

#include "platform/dispatch.h"
#include "platform/ticks.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace platform {
namespace {

// A repeating timer keeps a grid phased to the tick clock: its Actions come at
// whole multiples of its period after the tick counter's origin. Ticks last
// 16 2/3 ms, so a 10 ms clock pass then always comes 0, 3 1/3 or 6 2/3 ms after
// the tick it is waiting for, never up to a whole period; a Qt timer would put
// its grid wherever the timer happened to be started. The kernel keeps the
// grid (a timerfd), so it neither drifts nor loses its phase after a late pass;
// expirations missed while a handler ran give one Action, not a burst.
// A single-shot timer counts its period from now.
class GridTimerBackend final : public TimerBackend {
public:
    GridTimerBackend(Timer& timer, int fd) : timer_(timer), fd_(fd), notifier_(fd, QSocketNotifier::Read) {
        notifier_.setEnabled(false);
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { expired(); });
    }
    ~GridTimerBackend() override { ::close(fd_); }

    void start(int periodMs) override {
        const int64_t periodNs = int64_t{std::max(periodMs, 1)} * 1'000'000;
        itimerspec spec{};
        if (timer_.mode() == Timer::Mode::Multiple) {
            spec.it_interval = toTimespec(periodNs);
            spec.it_value = toTimespec(firstGridPointNs(periodNs));
        } else {
            spec.it_value = toTimespec(monotonicNowNs() + periodNs);
        }
        ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &spec, nullptr);
        notifier_.setEnabled(true);
    }

    void stop() override {
        notifier_.setEnabled(false);
        const itimerspec off{};
        ::timerfd_settime(fd_, 0, &off, nullptr);
        drain();
    }

private:
    static int64_t monotonicNowNs() {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
    }

    // The tick counter reads the steady clock, which is CLOCK_MONOTONIC: the
    // grid and the ticks share one time line.
    static int64_t firstGridPointNs(int64_t periodNs) {
        const int64_t originNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(TickMoment(0).time_since_epoch()).count();
        return gridPointAfter(originNs, monotonicNowNs(), periodNs);
    }

    static timespec toTimespec(int64_t ns) {
        return timespec{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    }

    // One read takes every expiration so far and clears the readiness.
    void drain() {
        uint64_t expirations = 0;
        [[maybe_unused]] const ssize_t read = ::read(fd_, &expirations, sizeof expirations);
    }

    void expired() {
        drain();
        timer_.fire();
    }

    Timer& timer_;
    int fd_;
    QSocketNotifier notifier_;
};

// Where the kernel gives no timerfd, Qt's precise timers stand in, without
// the grid.
class QtTimerBackend final : public TimerBackend {
public:
    explicit QtTimerBackend(Timer& timer) : timer_(timer) {
        qtimer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&qtimer_, &QTimer::timeout, [this] { timer_.fire(); });
    }
    void start(int periodMs) override {
        qtimer_.setSingleShot(timer_.mode() == Timer::Mode::Single);
        qtimer_.start(periodMs);
    }
    void stop() override { qtimer_.stop(); }

private:
    Timer& timer_;
    QTimer qtimer_;
};

class RealTimerDriver final : public TimerDriver {
public:
    std::unique_ptr<TimerBackend> makeBackend(Timer& timer) override {
        const int fd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (fd >= 0) return std::make_unique<GridTimerBackend>(timer, fd);
        return std::make_unique<QtTimerBackend>(timer);
    }
};

TimerDriver* installed = nullptr;

}  // namespace

int64_t gridPointAfter(int64_t originNs, int64_t nowNs, int64_t periodNs) {
    const int64_t earliest = nowNs + periodNs - originNs;
    const int64_t periods = earliest <= 0 ? 0 : (earliest + periodNs - 1) / periodNs;
    return originNs + periods * periodNs;
}

void setTimerDriver(TimerDriver* driver) { installed = driver; }

TimerDriver& timerDriver() {
    static RealTimerDriver real;
    return installed ? *installed : real;
}

Timer::Timer(std::string name, Mode mode, int periodMs)
    : name_(std::move(name)), mode_(mode), periodMs_(periodMs) {
    backend_ = timerDriver().makeBackend(*this);
}

Timer::~Timer() = default;

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on)
        backend_->start(periodMs_);
    else
        backend_->stop();
}

void Timer::setPeriod(int periodMs) {
    if (periodMs == periodMs_) return;
    periodMs_ = periodMs;
    if (enabled_) backend_->start(periodMs_);
}

void Timer::setMode(Mode mode) {
    mode_ = mode;
    if (enabled_) backend_->start(periodMs_);
}

void Timer::Reset() {
    if (enabled_) backend_->start(periodMs_);
}

void Timer::fire() {
    if (!enabled_) return;
    if (mode_ == Mode::Single) {
        enabled_ = false;
        backend_->stop();
    }
    if (Action) dispatch(name_, Action);
}

}  // namespace platform
