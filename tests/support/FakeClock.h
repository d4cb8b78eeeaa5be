#pragma once

#include <cstdint>

// While one exists, the system's millisecond clock reads this value instead of
// the wall clock. Only one may exist at a time.
class FakeClock {
public:
    explicit FakeClock(int64_t start = 1'700'000'000'000);
    ~FakeClock();

    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    void Set(int64_t milliseconds);
    void Advance(int64_t milliseconds);
    int64_t Now() const;
};
