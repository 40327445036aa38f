#include "platform/timer.h"

#include "platform/dispatch.h"

#include <QTimer>

namespace platform {
namespace {

class QtTimerBackend final : public TimerBackend {
public:
    explicit QtTimerBackend(Timer& timer) {
        qtimer_.setTimerType(Qt::PreciseTimer);
        qtimer_.setSingleShot(timer.mode() == Timer::Mode::Single);
        QObject::connect(&qtimer_, &QTimer::timeout, [&timer] { timer.fire(); });
        timer_ = &timer;
    }
    void start(int periodMs) override {
        qtimer_.setSingleShot(timer_->mode() == Timer::Mode::Single);
        qtimer_.start(periodMs);
    }
    void stop() override { qtimer_.stop(); }

private:
    QTimer qtimer_;
    Timer* timer_;
};

class QtTimerDriver final : public TimerDriver {
public:
    std::unique_ptr<TimerBackend> makeBackend(Timer& timer) override {
        return std::make_unique<QtTimerBackend>(timer);
    }
};

TimerDriver* installed = nullptr;

}  // namespace

void setTimerDriver(TimerDriver* driver) { installed = driver; }

TimerDriver& timerDriver() {
    static QtTimerDriver qt;
    return installed ? *installed : qt;
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
