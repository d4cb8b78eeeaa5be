#include "FakeClock.h"

#include <atomic>

#include "common/MillisecondClock.h"

namespace {

std::atomic<int64_t> fakeNow{0};

int64_t ReadFakeNow()
{
    return fakeNow.load();
}

}  // namespace

FakeClock::FakeClock(int64_t start)
{
    fakeNow.store(start);
    TESSARIL_COMMON::MillisecondClock::SetSource(&ReadFakeNow);
}

FakeClock::~FakeClock()
{
    TESSARIL_COMMON::MillisecondClock::SetSource(nullptr);
}

void FakeClock::Set(int64_t milliseconds)
{
    fakeNow.store(milliseconds);
}

void FakeClock::Advance(int64_t milliseconds)
{
    fakeNow.fetch_add(milliseconds);
}

int64_t FakeClock::Now() const
{
    return fakeNow.load();
}
