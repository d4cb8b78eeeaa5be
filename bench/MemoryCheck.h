#pragma once

#include <cstdint>

namespace TESSARIL_BENCH {

class BenchEnvironment;

struct MemoryResult {
    int64_t events = 0;
    int64_t cycles = 0;
    int64_t residentAfterWarmUp = 0;
    int64_t residentAtEnd = 0;
};

// A long run through the exports: key and mouse events in screen mode and
// start/stop cycles, after a warm-up of a tenth of each; the resident memory is
// read after the warm-up and at the end. The desktop's journal is emptied as
// the run goes, since it is the simulation's record, not the plugin's memory.
class MemoryCheck {
public:
    static MemoryResult Run(BenchEnvironment& environment, int64_t events, int64_t cycles);
};

}  // namespace TESSARIL_BENCH
