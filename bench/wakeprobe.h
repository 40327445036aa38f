#pragma once
// A bare 10 ms timer and nothing else: how late this machine wakes a sleeping
// thread, measured just before each load's tests. The program's clock passes
// wake the same way (a kernel timer on a 10 ms grid), so what this sees late
// is the machine's, not the program's.

#include <vector>

struct BareWakeups {
    std::vector<double> latenessMs;  // each wake-up after its timer expired
    double cpuPercent = 0;           // the thread's CPU time, as a share of one core
};

// Waits on a 10 ms kernel timer grid for `seconds`, doing nothing else.
BareWakeups measureBareWakeups(int seconds);
