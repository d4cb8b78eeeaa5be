#include "MachineLoad.h"

#include <fstream>
#include <thread>

namespace TESSARIL_BENCH {

std::string MachineLoad::Processor()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("model name", 0) == 0) {
            return line.substr(line.find(':') + 2);
        }
    }
    return "unknown processor";
}

int MachineLoad::Cores()
{
    return static_cast<int>(std::thread::hardware_concurrency());
}

std::string MachineLoad::LoadAverages()
{
    std::ifstream loadavg("/proc/loadavg");
    std::string one;
    std::string five;
    std::string fifteen;
    loadavg >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

}  // namespace TESSARIL_BENCH
