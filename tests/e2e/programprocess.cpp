#include "programprocess.h"

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

ProgramProcess::ProgramProcess(const QString& binary) {
    const std::string path = binary.toStdString();
    pid_ = fork();
    if (pid_ == 0) {
        execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

bool ProgramProcess::stop() {
    if (pid_ <= 0) return true;
    const pid_t pid = pid_;
    pid_ = -1;
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
        usleep(10'000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return false;
}
