#pragma once
// The built program run as its own process, as a player starts it: on the X
// server and with the environment of the caller, and ended as a logout ends
// it when the object goes.

#include <QString>
#include <sys/types.h>

class ProgramProcess {
public:
    explicit ProgramProcess(const QString& binary);
    ~ProgramProcess() { stop(); }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    pid_t pid() const { return pid_; }
    // Sends SIGTERM and waits; a program that ignores it for two seconds is
    // killed, and the answer is then false.
    bool stop();

private:
    pid_t pid_ = -1;
};
