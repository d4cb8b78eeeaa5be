#include "HeapAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

// In a translation unit of its own, so that the compiler cannot pair an inlined
// replacement operator delete with a library allocation and warn. The array and
// unsized forms of the standard library call these. Releases are not
// watched: counting alone keeps the path that allocates more unpenalised.
namespace {

std::atomic<long> allocations{0};

}  // namespace

long TESSARIL_BENCH::HeapAllocations()
{
    return allocations.load(std::memory_order_relaxed);
}

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
