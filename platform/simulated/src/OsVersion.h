#pragma once

#include "platform_win32.h"

namespace SimulatedDesktop {

// The version of Windows that VerifyVersionInfoW compares against, and the
// comparison itself with Windows' rules (those Wine's ntdll reproduces).
class OsVersion {
public:
    // Windows 10 workstation, build 19045, no service pack.
    void Reset() { *this = OsVersion{}; }
    void Set(DWORD majorVersion, DWORD minorVersion, WORD servicePackMajorVersion);

    // ERROR_SUCCESS when this version satisfies the request; otherwise the
    // error VerifyVersionInfoW sets (ERROR_OLD_WIN_VERSION, ERROR_BAD_ARGUMENTS).
    DWORD Verify(const OSVERSIONINFOEXW& wanted, DWORD typeMask, DWORDLONG conditions) const;

private:
    DWORD VerifyPlainFields(const OSVERSIONINFOEXW& wanted, DWORD typeMask, DWORDLONG conditions) const;
    DWORD VerifySuite(WORD wantedSuite, BYTE condition) const;
    DWORD VerifyVersionNumbers(const OSVERSIONINFOEXW& wanted, DWORD typeMask, DWORDLONG conditions) const;

    DWORD major = 10;
    DWORD minor = 0;
    DWORD build = 19045;
    DWORD platformId = VER_PLATFORM_WIN32_NT;
    WORD servicePackMajor = 0;
    WORD servicePackMinor = 0;
    WORD suiteMask = 0x0100;  // VER_SUITE_SINGLEUSERTS, what a desktop Windows reports
    BYTE productType = VER_NT_WORKSTATION;
};

}  // namespace SimulatedDesktop
