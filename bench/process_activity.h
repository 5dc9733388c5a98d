#pragma once

// How much a process has woken up and run so far, summed over all its threads, from
// /proc: context switches (voluntary and forced), CPU time as the kernel charges it in clock
// ticks (utime + stime), and from the scheduler's statistics, to the nanosecond, the time on
// a CPU and the time it was ready to run but waited for one. A probe reads it twice and
// takes the difference; this file knows nothing of what ran.

#include <sys/types.h>

struct ProcessActivity {
    long long context_switches = 0;
    long long cpu_ticks = 0; // of sysconf(_SC_CLK_TCK) a second
    double cpu_ms = 0;       // schedstat's time on a CPU
    double waiting_ms = 0;   // schedstat's time runnable, waiting for a CPU
};

ProcessActivity ReadProcessActivity(pid_t pid);
ProcessActivity operator-(const ProcessActivity& later, const ProcessActivity& earlier);
