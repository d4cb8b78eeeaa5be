// kernel32 of the simulated desktop: last error, execution state, version
// checks and one-time initialisation.

#include <cstdint>

#include "Desktop.h"
#include "InitOnceGate.h"
#include "platform_win32.h"

using SimulatedDesktop::Desktop;
using SimulatedDesktop::DesktopState;

namespace {

// Per thread, as on Windows: one thread's failure never hides another's code.
thread_local DWORD lastError = ERROR_SUCCESS;

// Windows keeps an execution state per thread. A thread starts with a bare
// ES_CONTINUOUS, and again after each reset of the desktop.
struct ThreadExecutionState {
    uint64_t generation = 0;
    EXECUTION_STATE flags = ES_CONTINUOUS;
};
thread_local ThreadExecutionState executionState;

constexpr EXECUTION_STATE kKnownExecutionFlags =
    ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED | ES_USER_PRESENT | ES_AWAYMODE_REQUIRED | ES_CONTINUOUS;

}  // namespace

DWORD WINAPI GetLastError(void) { return lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }

EXECUTION_STATE WINAPI SetThreadExecutionState(EXECUTION_STATE esFlags)
{
    return Desktop::Locked([esFlags](DesktopState& state) -> EXECUTION_STATE {
        state.journal.RecordExecutionState(esFlags);
        if ((esFlags & ~kKnownExecutionFlags) != 0) {
            return 0;
        }
        if (executionState.generation != state.generation) {
            executionState = {state.generation, ES_CONTINUOUS};
        }
        const EXECUTION_STATE previous = executionState.flags;
        // Only a call with ES_CONTINUOUS changes what lasts; without it the
        // call just resets the idle timers.
        if ((esFlags & ES_CONTINUOUS) != 0) {
            executionState.flags = esFlags;
        }
        return previous;
    });
}

BOOL WINAPI VerifyVersionInfoW(LPOSVERSIONINFOEXW lpVersionInformation, DWORD dwTypeMask, DWORDLONG dwlConditionMask)
{
    if (lpVersionInformation == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    const DWORD error = Desktop::Locked([&](DesktopState& state) {
        return state.osVersion.Verify(*lpVersionInformation, dwTypeMask, dwlConditionMask);
    });
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

ULONGLONG WINAPI VerSetConditionMask(ULONGLONG ConditionMask, DWORD TypeMask, BYTE Condition)
{
    // One condition per call: with several type bits the first in this order wins.
    static constexpr struct {
        DWORD type;
        int shift;
    } kSlots[] = {{VER_PRODUCT_TYPE, 21},    {VER_SUITENAME, 18},   {VER_SERVICEPACKMAJOR, 15},
                  {VER_SERVICEPACKMINOR, 12}, {VER_PLATFORMID, 9},   {VER_BUILDNUMBER, 6},
                  {VER_MAJORVERSION, 3},      {VER_MINORVERSION, 0}};
    for (const auto& slot : kSlots) {
        if ((TypeMask & slot.type) != 0) {
            return ConditionMask | ULONGLONG{Condition & 0x07u} << slot.shift;
        }
    }
    return ConditionMask;
}

BOOL WINAPI InitOnceBeginInitialize(LPINIT_ONCE lpInitOnce, DWORD dwFlags, PBOOL fPending, LPVOID* lpContext)
{
    return SimulatedDesktop::InitOnceGate::Begin(lpInitOnce, dwFlags, fPending, lpContext);
}

BOOL WINAPI InitOnceComplete(LPINIT_ONCE lpInitOnce, DWORD dwFlags, LPVOID lpContext)
{
    return SimulatedDesktop::InitOnceGate::Complete(lpInitOnce, dwFlags, lpContext);
}
