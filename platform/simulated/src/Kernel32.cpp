// kernel32 of the simulated desktop: last error, execution state, version
// checks, one-time initialisation and the look-up of user32's functions.

#include <cstdint>
#include <cstring>
#include <cwctype>
#include <string>

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

// The one module the simulated desktop plays whose functions are looked up by name.
const HMODULE kUser32 = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x75000000));

// Module names are case-insensitive, the extension optional.
bool IsUser32(LPCWSTR name)
{
    std::wstring lower;
    for (; *name != 0; ++name) {
        lower.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(*name))));
    }
    return lower == L"user32.dll" || lower == L"user32";
}

// Any function pointer passes through void (*)() without a cast warning.
template <typename Function>
FARPROC Exported(Function function)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

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

HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName)
{
    if (lpModuleName != nullptr && IsUser32(lpModuleName)) {
        return kUser32;
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    if (hModule == kUser32 && lpProcName != nullptr) {
        if (std::strcmp(lpProcName, "SetThreadDpiAwarenessContext") == 0) {
            return Exported(&SetThreadDpiAwarenessContext);
        }
        if (std::strcmp(lpProcName, "GetThreadDpiAwarenessContext") == 0) {
            return Exported(&GetThreadDpiAwarenessContext);
        }
        if (std::strcmp(lpProcName, "GetAwarenessFromDpiAwarenessContext") == 0) {
            return Exported(&GetAwarenessFromDpiAwarenessContext);
        }
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}
