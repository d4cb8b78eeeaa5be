#include "injection/KeyboardRecords.h"

namespace TESSARIL_REMOTECONTROL_HOST {

INPUT KeyRecord(int64_t keyCode, DWORD flags)
{
    INPUT record{};
    record.type = INPUT_KEYBOARD;
    record.ki.wVk = static_cast<WORD>(keyCode);
    record.ki.dwFlags = flags;
    return record;
}

std::array<INPUT, 2> KeyTapRecords(WORD virtualKey)
{
    return {KeyRecord(virtualKey, 0), KeyRecord(virtualKey, KEYEVENTF_KEYUP)};
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
