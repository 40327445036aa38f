#include "keyinjector.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <pthread.h>
#include <stdexcept>
#include <time.h>

KeyInjector::KeyInjector() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) throw std::runtime_error("key injector: no X server");
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        throw std::runtime_error("key injector: the X server has no XTest");
    }
    display_ = display;
    keycode_ = XKeysymToKeycode(display, XK_j);
    thread_ = std::thread([this] { run(); });
}

KeyInjector::~KeyInjector() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
    XCloseDisplay(static_cast<Display*>(display_));
}

void KeyInjector::schedule(SteadyTime when) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(when);
    }
    wake_.notify_all();
}

bool KeyInjector::injectedAt(size_t index, SteadyTime& moment) const {
    std::lock_guard lock(mutex_);
    if (index >= injected_.size()) return false;
    moment = injected_[index];
    return true;
}

size_t KeyInjector::injectedCount() const {
    std::lock_guard lock(mutex_);
    return injected_.size();
}

size_t KeyInjector::pending() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

void KeyInjector::clearInjected() {
    std::lock_guard lock(mutex_);
    injected_.clear();
}

double KeyInjector::cpuSeconds() const {
    clockid_t clock;
    pthread_getcpuclockid(const_cast<std::thread&>(thread_).native_handle(), &clock);
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void KeyInjector::run() {
    Display* display = static_cast<Display*>(display_);
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || !queue_.empty(); });
        if (quit_) return;
        const SteadyTime when = queue_.front();
        // Sleeps on the monotonic clock itself (the steady clock's), to the
        // moment, without the lock; a tap scheduled meanwhile is earlier
        // only if its note is, and notes are scheduled in order.
        lock.unlock();
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch()).count();
        const timespec at{time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) != 0) {
        }
        // Noted before it is sent, so the program never sees a key whose
        // moment is not on record yet.
        lock.lock();
        queue_.pop_front();
        injected_.push_back(std::chrono::steady_clock::now());
        lock.unlock();
        XTestFakeKeyEvent(display, keycode_, True, 0);
        XTestFakeKeyEvent(display, keycode_, False, 0);
        XFlush(display);
        lock.lock();
    }
}
