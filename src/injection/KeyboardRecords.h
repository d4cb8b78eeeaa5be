#pragma once

#include <array>
#include <cstdint>

#include "platform_win32.h"

// The keyboard records of SendInput. Only virtual-key codes are sent: the
// desktop derives the scan code, and no extended, scan-code or Unicode flag is
// ever set.
namespace TESSARIL_REMOTECONTROL_HOST {

// flags: 0 for a press, KEYEVENTF_KEYUP for a release. wVk takes the low 16
// bits of the code, the width of a virtual-key code.
INPUT KeyRecord(int64_t keyCode, DWORD flags);

// A press and a release of one key, which flips a lock key's toggle.
std::array<INPUT, 2> KeyTapRecords(WORD virtualKey);

}  // namespace TESSARIL_REMOTECONTROL_HOST
