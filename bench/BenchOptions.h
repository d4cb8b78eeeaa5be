#pragma once

#include <cstdint>
#include <string>

namespace TESSARIL_BENCH {

// The program's own options; every other argument is Google Benchmark's.
//   --log-dir=<dir>          the plugin's and the direct spdlog log files (default ./tessaril-bench-logs)
//   --monitor-seconds=<s>    the monitoring run (default 10)
//   --memory-events=<n>      events of the memory check (default 100000)
//   --memory-cycles=<n>      start/stop cycles of the memory check (default 1000)
struct BenchOptions {
    std::string logDirectory = "tessaril-bench-logs";
    double monitorSeconds = 10;
    int64_t memoryEvents = 100000;
    int64_t memoryCycles = 1000;

    // Takes the program's own options out of argv.
    static BenchOptions Take(int& argc, char** argv);
};

}  // namespace TESSARIL_BENCH
