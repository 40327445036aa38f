#pragma once
// A bare 10 ms timer and nothing else: how late this machine wakes a sleeping
// thread, measured just before each load's tests. The program's clock passes
// wake the same way (a kernel timer on a 10 ms grid), so what this sees late
// is the machine's, not the program's.

#include <vector>

// Each wake-up's lateness after its timer expired, in milliseconds, over
// `seconds` of waking every 10 ms.
std::vector<double> measureBareWakeups(int seconds);
