#pragma once

#include <condition_variable>
#include <mutex>

#include "platform_win32.h"

namespace SimulatedDesktop {

// Synchronous one-time initialisation with the semantics of Windows'
// InitOnceBeginInitialize / InitOnceComplete. The INIT_ONCE itself holds the
// state, as on Windows: 0 not started, 1 running, (context | 2) done. One
// process-wide lock and condition guard every INIT_ONCE; waiters are rare and
// short-lived, so sharing them costs nothing worth a finer scheme.
class InitOnceGate {
public:
    // Only dwFlags 0 is supported (no INIT_ONCE_CHECK_ONLY, no INIT_ONCE_ASYNC):
    // anything else fails with ERROR_INVALID_PARAMETER.
    static BOOL Begin(INIT_ONCE* once, DWORD flags, BOOL* pending, void** context);
    // flags 0 or INIT_ONCE_INIT_FAILED.
    static BOOL Complete(INIT_ONCE* once, DWORD flags, void* context);

private:
    static std::mutex mutex;
    static std::condition_variable changed;
};

}  // namespace SimulatedDesktop
