#pragma once
// A real decimal-comma locale for one test, set the way the toolkit sets the
// C library's locale from the environment at start-up; the previous locale
// and environment come back when the object goes.

#include <string>

class CommaLocale {
public:
    // Fails the test when the locale is not installed (scripts/setup makes it).
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    // Whether the C library now writes and reads "0,5".
    bool active() const { return active_; }

private:
    std::string oldlocale_;
    std::string oldenvironment_;
    bool hadenvironment_ = false;
    bool active_ = false;
};
