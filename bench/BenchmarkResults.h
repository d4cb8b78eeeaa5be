#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace TESSARIL_BENCH {

// One benchmark's result: per iteration, in nanoseconds, and its "allocs" counter.
struct Measurement {
    bool found = false;
    double cpuNanoseconds = 0;
    double realNanoseconds = 0;
    double allocations = 0;
};

// The console reporter of Google Benchmark, keeping each benchmark's result
// for the closing table: the median of the repetitions when there were
// several, otherwise the one run.
class BenchmarkResults : public benchmark::ConsoleReporter {
public:
    // Plain text: the output goes to logs and pipes more often than to a terminal.
    BenchmarkResults();

    void ReportRuns(const std::vector<Run>& reports) override;

    Measurement Find(const std::string& name) const;

private:
    std::map<std::string, Measurement> medians;
    std::map<std::string, Measurement> singles;
};

}  // namespace TESSARIL_BENCH
