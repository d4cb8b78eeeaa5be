#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

// In a translation unit of its own, so that the compiler cannot pair an inlined
// replacement operator delete with a library allocation and warn.
namespace {
std::atomic<long> allocations{0};
}

long AllocationCounter::Count()
{
    return allocations.load();
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
