#include "cpuhog.h"

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

void CpuHog::start(unsigned processes) {
    for (unsigned i = 0; i < processes; ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            // Only a plain loop in the child: the parent's threads and locks
            // are not there to be touched. It dies with the benchmark, however
            // that ends.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            volatile unsigned long spin = 0;
            for (;;) spin = spin + 1;
        }
        if (pid > 0) children_.push_back(pid);
    }
}

void CpuHog::stop() {
    for (pid_t pid : children_) kill(pid, SIGKILL);
    for (pid_t pid : children_) waitpid(pid, nullptr, 0);
    children_.clear();
}
