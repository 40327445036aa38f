#pragma once
// The X server the benchmark runs on: the one DISPLAY names, or, when DISPLAY
// is unset, a virtual one (Xvfb) started on a free display number for the run
// and stopped at its end.

#include <memory>
#include <string>

class XServer;

class VirtualDisplay {
public:
    // Leaves DISPLAY naming a server that accepts connections; throws
    // std::runtime_error when none can be had.
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    const std::string& name() const { return name_; }
    bool started() const { return server_ != nullptr; }

private:
    std::string name_;
    std::unique_ptr<XServer> server_;
};
