#pragma once

#include <functional>

namespace TESSARIL_BENCH {

// Times two paths against each other on a loaded machine: rounds of `calls`
// calls each, the plugin's round and the floor's round alternating, so that
// both see the same load; the result is the median round of each, per call.
class InterleavedTiming {
public:
    struct Result {
        double pluginNanoseconds = 0;
        double floorNanoseconds = 0;
    };

    static Result Run(const std::function<void(int)>& plugin, const std::function<void(int)>& floor, int rounds,
                      int calls);
    // One path alone: the median round, per call.
    static double Alone(const std::function<void(int)>& path, int rounds, int calls);
};

}  // namespace TESSARIL_BENCH
