#pragma once
// A helper program the benchmark runs beside itself (the sound server, the
// recorder, the bare reference player): started with its arguments, its
// output where the benchmark wants it, and ended when the object goes.

#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    // Runs `argv[0]` (looked up in PATH) with the rest as its arguments.
    // Standard output goes to `outFd` (else nowhere), standard error to the
    // file `errPath` (else nowhere).
    explicit ChildProcess(const std::vector<std::string>& argv, int outFd = -1, const std::string& errPath = "");
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool started() const { return pid_ > 0; }
    // Whether it still runs.
    bool running();
    // Waits for it to end by itself; its exit status, or -1.
    int wait();
    // SIGTERM, then SIGKILL after two seconds; waits for the end.
    void stop();

private:
    pid_t pid_ = -1;
    int status_ = -1;
};
