#pragma once
// The exceptions that handlers may raise. A handler that meets one is
// abandoned at that point; the event dispatcher reports what escapes.

#include <stdexcept>
#include <string>

namespace platform {

class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message = {}) : std::runtime_error(message) {}
    virtual const char* className() const { return "RuntimeException"; }
};

class NilObjectException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char* className() const override { return "NilObjectException"; }
};

class OutOfBoundsException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char* className() const override { return "OutOfBoundsException"; }
};

class IOException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char* className() const override { return "IOException"; }
};

}  // namespace platform
