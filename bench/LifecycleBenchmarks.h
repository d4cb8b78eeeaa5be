#pragma once

#include <string>

namespace TESSARIL_BENCH {

class BenchEnvironment;

// A start/stop cycle of remote control (screen mode) beside a bare thread
// started and stopped, and a traced operation (ExportedStart: its own trace and
// the Start step's, four lines into the log file) beside the same four lines
// written with spdlog directly.
void RegisterLifecycleBenchmarks(BenchEnvironment& environment, const std::string& logDirectory);

}  // namespace TESSARIL_BENCH
