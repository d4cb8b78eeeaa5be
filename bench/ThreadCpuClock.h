#pragma once

#include <sys/types.h>

#include <cstdint>

namespace TESSARIL_BENCH {

// CPU time (user and system) that one thread of this process has used, read
// from the scheduler's own account (/proc/self/task/<tid>/schedstat), so that
// another thread can read it without disturbing the one it measures.
class ThreadCpuClock {
public:
    static int64_t Nanoseconds(pid_t thread);
};

}  // namespace TESSARIL_BENCH
