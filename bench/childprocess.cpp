#include "childprocess.h"

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

ChildProcess::ChildProcess(const std::vector<std::string>& argv, int outFd, const std::string& errPath) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_ = fork();
    if (pid_ != 0) return;
    const int nowhere = open("/dev/null", O_RDWR);
    dup2(nowhere, STDIN_FILENO);
    dup2(outFd >= 0 ? outFd : nowhere, STDOUT_FILENO);
    const int err = errPath.empty() ? nowhere : open(errPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    dup2(err >= 0 ? err : nowhere, STDERR_FILENO);
    execvp(args[0], args.data());
    _exit(127);
}

bool ChildProcess::running() {
    if (pid_ <= 0) return false;
    if (waitpid(pid_, &status_, WNOHANG) != pid_) return true;
    pid_ = -1;
    return false;
}

int ChildProcess::wait() {
    if (pid_ > 0 && waitpid(pid_, &status_, 0) == pid_) pid_ = -1;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

void ChildProcess::stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (!running()) return;
        usleep(10'000);
    }
    kill(pid_, SIGKILL);
    wait();
}
