#pragma once

// Counts the allocations of the whole test program. Only programs that link the
// `tessaril_allocation_counter` objects have it: they replace the global
// operator new, so that a test can assert that a hot path allocates nothing.
class AllocationCounter {
public:
    static long Count();
};
