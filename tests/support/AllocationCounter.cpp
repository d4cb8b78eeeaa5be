#include "AllocationCounter.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <new>

// In a translation unit of its own, so that the compiler cannot pair an inlined
// replacement operator delete with a library allocation and warn.
namespace {

constexpr std::size_t kWatchedCapacity = 16;

std::atomic<long> allocations{0};
std::array<std::atomic<const void*>, kWatchedCapacity> watched{};
std::array<std::atomic<const void*>, kWatchedCapacity> released{};
std::atomic<std::size_t> releasedCount{0};

// Runs inside operator delete: no allocation, no lock.
void NoteRelease(const void* memory)
{
    if (memory == nullptr) {
        return;
    }
    for (auto& block : watched) {
        const void* expected = memory;
        if (block.compare_exchange_strong(expected, nullptr)) {
            released[releasedCount++].store(memory);
            return;
        }
    }
}

}  // namespace

long AllocationCounter::Count()
{
    return allocations.load();
}

void AllocationCounter::WatchReleases(const std::vector<const void*>& blocks)
{
    releasedCount = 0;
    for (std::size_t i = 0; i < kWatchedCapacity; ++i) {
        watched[i].store(i < blocks.size() ? blocks[i] : nullptr);
    }
}

std::vector<const void*> AllocationCounter::WatchedReleases()
{
    std::vector<const void*> order;
    for (std::size_t i = 0; i < releasedCount; ++i) {
        order.push_back(released[i].load());
    }
    return order;
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
    NoteRelease(memory);
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    NoteRelease(memory);
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
