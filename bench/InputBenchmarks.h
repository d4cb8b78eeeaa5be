#pragma once

namespace TESSARIL_BENCH {

class BenchEnvironment;

// Single mouse events in screen and window mode, key events, arrays of 100
// mouse events and the desktop calls of one cursor tick, each beside its floor
// ("<name>.floor"): the same desktop calls made straight (FloorReplay).
void RegisterInputBenchmarks(BenchEnvironment& environment);

}  // namespace TESSARIL_BENCH
