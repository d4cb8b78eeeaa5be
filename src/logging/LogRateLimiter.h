#pragma once

#include <atomic>
#include <cstdint>

namespace TESSARIL_LOG {

// Bounds one call site to one line per interval. Each high-frequency site owns
// one as a function-local static:
//
//     static LogRateLimiter limiter;
//     if (limiter.Allow()) { LogInfo("Inject a MouseEvent"); }
//
// A refused call costs one clock read and a comparison; the site builds no
// string. The time is atomic because some sites run on the cursor timer thread
// and on a host thread at once.
class LogRateLimiter {
public:
    static constexpr uint64_t kIntervalMilliseconds = 2000;

    // True when the site may write now; the permitted time is then recorded.
    bool Allow();

private:
    std::atomic<uint64_t> last{0};
    uint64_t interval = kIntervalMilliseconds;
};

}  // namespace TESSARIL_LOG
