#include "InitOnceGate.h"

#include <cstdint>

namespace SimulatedDesktop {

namespace {

constexpr uintptr_t kNotStarted = 0;
constexpr uintptr_t kRunning = 1;
constexpr uintptr_t kDone = 2;
constexpr uintptr_t kStateBits = (uintptr_t{1} << INIT_ONCE_CTX_RESERVED_BITS) - 1;

uintptr_t StateOf(const INIT_ONCE& once) { return reinterpret_cast<uintptr_t>(once.Ptr); }

void SetState(INIT_ONCE& once, uintptr_t state) { once.Ptr = reinterpret_cast<void*>(state); }

BOOL Refuse(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

}  // namespace

std::mutex InitOnceGate::mutex;
std::condition_variable InitOnceGate::changed;

BOOL InitOnceGate::Begin(INIT_ONCE* once, DWORD flags, BOOL* pending, void** context)
{
    if (once == nullptr || pending == nullptr || flags != 0) {
        return Refuse(ERROR_INVALID_PARAMETER);
    }
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [once] { return StateOf(*once) != kRunning; });
    if (StateOf(*once) == kNotStarted) {
        SetState(*once, kRunning);
        *pending = TRUE;
        return TRUE;
    }
    *pending = FALSE;
    if (context != nullptr) {
        *context = reinterpret_cast<void*>(StateOf(*once) & ~kStateBits);
    }
    return TRUE;
}

BOOL InitOnceGate::Complete(INIT_ONCE* once, DWORD flags, void* context)
{
    const auto contextBits = reinterpret_cast<uintptr_t>(context);
    const bool failed = flags == INIT_ONCE_INIT_FAILED;
    if (once == nullptr || (flags != 0 && !failed) || (contextBits & kStateBits) != 0 ||
        (failed && context != nullptr)) {
        return Refuse(ERROR_INVALID_PARAMETER);
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (StateOf(*once) != kRunning) {
            return Refuse(ERROR_GEN_FAILURE);
        }
        // A failed initialisation starts over: the next caller, or one that
        // waits now, becomes the initialiser.
        SetState(*once, failed ? kNotStarted : contextBits | kDone);
    }
    changed.notify_all();
    return TRUE;
}

}  // namespace SimulatedDesktop
