#include "support/commalocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>

namespace {
constexpr const char* commalocale = "de_DE.UTF-8";
}

CommaLocale::CommaLocale() : oldlocale_(std::setlocale(LC_ALL, nullptr)) {
    if (const char* old = std::getenv("LC_ALL")) {
        hadenvironment_ = true;
        oldenvironment_ = old;
    }
    setenv("LC_ALL", commalocale, 1);
    active_ = std::setlocale(LC_ALL, "") != nullptr && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    if (!active_)
        ADD_FAILURE() << "the locale " << commalocale << " is not installed; scripts/setup generates it";
}

CommaLocale::~CommaLocale() {
    if (hadenvironment_)
        setenv("LC_ALL", oldenvironment_.c_str(), 1);
    else
        unsetenv("LC_ALL");
    std::setlocale(LC_ALL, oldlocale_.c_str());
}
