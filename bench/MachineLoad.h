#pragma once

#include <string>

namespace TESSARIL_BENCH {

// What the numbers were measured on: the processor, the cores and the load
// averages (/proc/cpuinfo, /proc/loadavg), for the heading of the table.
class MachineLoad {
public:
    static std::string Processor();
    static int Cores();
    // The 1, 5 and 15 minute load averages, as the kernel writes them.
    static std::string LoadAverages();
};

}  // namespace TESSARIL_BENCH
