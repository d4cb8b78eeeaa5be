#pragma once

namespace TESSARIL_BENCH {

// The heap allocations of the whole program so far: this program replaces the
// global operator new with one that counts. Lighter than the tests'
// AllocationCounter (which also watches releases), so that counting does not
// weigh on the path that allocates more.
class AllocationCount {
public:
    static long Total();
};

}  // namespace TESSARIL_BENCH
