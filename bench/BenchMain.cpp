// tessaril-bench: every hot path of the plugin through its exports, each beside
// its floor measured in the same process and run, then the monitoring run and
// the memory check, and one table of them all (bench/README.md).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>

#include "BenchEnvironment.h"
#include "BenchOptions.h"
#include "BenchSummary.h"
#include "BenchmarkResults.h"
#include "InputBenchmarks.h"
#include "LifecycleBenchmarks.h"
#include "MachineLoad.h"

using namespace TESSARIL_BENCH;

int main(int argc, char** argv)
{
    const BenchOptions options = BenchOptions::Take(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    std::filesystem::create_directories(options.logDirectory);
    const std::string loadAtStart = MachineLoad::LoadAverages();

    BenchEnvironment environment(options.logDirectory);
    RegisterInputBenchmarks(environment);
    RegisterLifecycleBenchmarks(environment, options.logDirectory);
    BenchmarkResults results;
    benchmark::RunSpecifiedBenchmarks(&results);
    const MonitoringResult monitoring = CursorMonitoringRun::Run(environment, options.monitorSeconds);
    const MemoryResult memory = MemoryCheck::Run(environment, options.memoryEvents, options.memoryCycles);
    const ResultTable table = BenchSummary::Build(results, monitoring, memory);

    std::cout << "\nMachine: " << MachineLoad::Processor() << ", " << MachineLoad::Cores()
              << " cores; load average (1/5/15 min) " << loadAtStart << " at the start, "
              << MachineLoad::LoadAverages() << " at the end.\n"
              << "Simulated desktop; times are CPU time of the calling thread per operation, the start/stop "
                 "cycle wall clock; median of the repetitions where there were several.\n\n";
    table.Print(std::cout);
    std::cout << "\n" << table.Missed() << " target(s) missed\n";
    benchmark::Shutdown();
    return 0;
}
