#include "InterleavedTiming.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace TESSARIL_BENCH {

namespace {

double NanosecondsPerCall(const std::function<void(int)>& path, int calls)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) {
        path(i);
    }
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / calls;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

InterleavedTiming::Result InterleavedTiming::Run(const std::function<void(int)>& plugin,
                                                 const std::function<void(int)>& floor, int rounds, int calls)
{
    std::vector<double> pluginRounds;
    std::vector<double> floorRounds;
    for (int round = 0; round < rounds; ++round) {
        pluginRounds.push_back(NanosecondsPerCall(plugin, calls));
        floorRounds.push_back(NanosecondsPerCall(floor, calls));
    }
    return {Median(pluginRounds), Median(floorRounds)};
}

double InterleavedTiming::Alone(const std::function<void(int)>& path, int rounds, int calls)
{
    std::vector<double> pathRounds;
    for (int round = 0; round < rounds; ++round) {
        pathRounds.push_back(NanosecondsPerCall(path, calls));
    }
    return Median(pathRounds);
}

}  // namespace TESSARIL_BENCH
