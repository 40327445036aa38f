#pragma once
// What the kernel counts for another process: its CPU time and how often its
// threads were switched out (each wake-up of a sleeping thread is one
// voluntary switch when it sleeps again).

#include <sys/types.h>

// User and system time of every thread of `pid`, in seconds.
double processCpuSeconds(pid_t pid);
// Context switches of every thread of `pid`, voluntary and not.
long long processContextSwitches(pid_t pid);
