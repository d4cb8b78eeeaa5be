#pragma once

#include <vector>

// Counts the allocations of the whole test program. Only programs that link the
// `tessaril_allocation_counter` objects have it: they replace the global
// operator new, so that a test can assert that a hot path allocates nothing.
class AllocationCounter {
public:
    static long Count();

    // Records, in the order they happen, the releases of up to 16 given blocks
    // (delete of an object at one of these addresses).
    static void WatchReleases(const std::vector<const void*>& blocks);
    static std::vector<const void*> WatchedReleases();
};
