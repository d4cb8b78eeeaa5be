#include "ResidentMemory.h"

#include <unistd.h>

#include <fstream>
#include <stdexcept>

namespace TESSARIL_BENCH {

int64_t ResidentMemory::Bytes()
{
    std::ifstream statm("/proc/self/statm");
    int64_t totalPages = 0;
    int64_t residentPages = 0;
    if (!(statm >> totalPages >> residentPages)) {
        throw std::runtime_error("cannot read /proc/self/statm");
    }
    return residentPages * sysconf(_SC_PAGESIZE);
}

}  // namespace TESSARIL_BENCH
