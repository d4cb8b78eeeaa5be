#pragma once

#include <cstddef>
#include <string>

#include "platform_win32.h"

namespace TESSARIL_HOST_APP {

// Puts SendInput records into the words a person reads in a report:
//   "move abs 32768,21845", "left down", "wheel -120", "key CAPITAL up".
// One record may carry several actions (a move and a button); they are joined
// by " + ". Nothing is dropped: flags without a word, a scan code, a time and
// extra information are shown as "flags=0x...", "scan=", "time=", "extra=".
class InputRecordDescriber {
public:
    static std::string Describe(const INPUT& record);
    // A whole SendInput call: its records joined by " | ".
    static std::string DescribeCall(const INPUT* records, size_t count);

private:
    static std::string DescribeMouse(const MOUSEINPUT& mouse);
    static std::string DescribeKey(const KEYBDINPUT& key);
    static std::string DescribeMove(const MOUSEINPUT& mouse, DWORD& known);
    static std::string DescribeXButton(DWORD data, const char* direction);
    static std::string TimeAndExtra(DWORD time, ULONG_PTR extra);
};

}  // namespace TESSARIL_HOST_APP
