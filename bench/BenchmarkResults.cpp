#include "BenchmarkResults.h"

namespace TESSARIL_BENCH {

namespace {

Measurement FromRun(const benchmark::BenchmarkReporter::Run& run)
{
    const double toNanoseconds = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
    Measurement measurement;
    measurement.found = true;
    measurement.cpuNanoseconds = run.GetAdjustedCPUTime() * toNanoseconds;
    measurement.realNanoseconds = run.GetAdjustedRealTime() * toNanoseconds;
    const auto allocations = run.counters.find("allocs");
    if (allocations != run.counters.end()) {
        measurement.allocations = allocations->second.value;
    }
    return measurement;
}

}  // namespace

BenchmarkResults::BenchmarkResults() : ConsoleReporter(OO_Tabular) {}

void BenchmarkResults::ReportRuns(const std::vector<Run>& reports)
{
    for (const Run& run : reports) {
        if (run.error_occurred) {
            continue;
        }
        const std::string& name = run.run_name.function_name;
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
            medians[name] = FromRun(run);
        } else if (run.run_type == Run::RT_Iteration) {
            singles[name] = FromRun(run);
        }
    }
    ConsoleReporter::ReportRuns(reports);
}

Measurement BenchmarkResults::Find(const std::string& name) const
{
    const auto median = medians.find(name);
    if (median != medians.end()) {
        return median->second;
    }
    const auto single = singles.find(name);
    return single != singles.end() ? single->second : Measurement{};
}

}  // namespace TESSARIL_BENCH
