#include "platform/idlecloser.h"

namespace platform {

bool IdleCloser::wake() {
    quiet_ = 0;
    if (running_ || failed_) return running_;
    running_ = device_.start();
    failed_ = !running_ && !ran_;
    ran_ = ran_ || running_;
    return running_;
}

void IdleCloser::keepRunning(bool on) {
    kept_ = on;
    if (on) wake();
    quiet_ = 0;
}

void IdleCloser::check() {
    if (!needsChecks()) return;
    if (device_.sounding()) {
        quiet_ = 0;
        return;
    }
    if (++quiet_ < quietChecks) return;
    device_.stop();
    running_ = false;
    quiet_ = 0;
}

}  // namespace platform
