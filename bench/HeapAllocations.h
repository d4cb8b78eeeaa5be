#pragma once

namespace TESSARIL_BENCH {

// Heap allocations of the whole program so far: the program replaces the
// global operator new with one that counts (HeapAllocations.cpp), which the
// plugin's library binds to as well.
long HeapAllocations();

}  // namespace TESSARIL_BENCH
