#include "ThreadCpuClock.h"

#include <fstream>
#include <stdexcept>
#include <string>

namespace TESSARIL_BENCH {

int64_t ThreadCpuClock::Nanoseconds(pid_t thread)
{
    const std::string path = "/proc/self/task/" + std::to_string(thread) + "/schedstat";
    std::ifstream file(path);
    int64_t onCpu = 0;
    if (!(file >> onCpu)) {
        throw std::runtime_error("cannot read " + path);
    }
    return onCpu;
}

}  // namespace TESSARIL_BENCH
