#include <gtest/gtest.h>

#include <string>

#include "InputRecordDescriber.h"

namespace {

using TESSARIL_HOST_APP::InputRecordDescriber;

INPUT Mouse(LONG dx, LONG dy, int32_t data, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi = {dx, dy, static_cast<DWORD>(data), flags, 0, 0};
    return input;
}

INPUT Key(WORD vk, DWORD flags, WORD scan = 0)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki = {vk, scan, flags, 0, 0};
    return input;
}

TEST(InputRecordDescriberTest, EachRecordReadsAsWords)
{
    INPUT stamped = Mouse(0, 0, 0, MOUSEEVENTF_LEFTDOWN);
    stamped.mi.time = 5;
    stamped.mi.dwExtraInfo = 0x7f;
    INPUT hardware{};
    hardware.type = INPUT_HARDWARE;
    hardware.hi = {0x100, 1, 2};
    INPUT unknownType{};
    unknownType.type = 7;
    const struct {
        const char* label;
        INPUT record;
        const char* expected;
    } rows[] = {
        {"relative move", Mouse(5, -3, 0, MOUSEEVENTF_MOVE), "move rel 5,-3"},
        {"move qualifiers", Mouse(1, 2, 0, 0xC001 | MOUSEEVENTF_MOVE_NOCOALESCE),
         "move abs 1,2 virtualdesk nocoalesce"},
        {"right up", Mouse(0, 0, 0, MOUSEEVENTF_RIGHTUP), "right up"},
        {"middle down", Mouse(0, 0, 0, MOUSEEVENTF_MIDDLEDOWN), "middle down"},
        {"x1 down", Mouse(0, 0, XBUTTON1, MOUSEEVENTF_XDOWN), "x1 down"},
        {"x2 up", Mouse(0, 0, XBUTTON2, MOUSEEVENTF_XUP), "x2 up"},
        {"x with both buttons", Mouse(0, 0, 3, MOUSEEVENTF_XDOWN), "x down data=3"},
        {"hwheel", Mouse(0, 0, 120, MOUSEEVENTF_HWHEEL), "hwheel 120"},
        {"move and button", Mouse(1, 2, 0, 0x8003), "move abs 1,2 + left down"},
        {"absolute without move", Mouse(1, 2, 0, MOUSEEVENTF_ABSOLUTE), "flags=0x8000"},
        {"undefined flag", Mouse(0, 0, 0, 0x0200 | MOUSEEVENTF_LEFTUP), "left up + flags=0x0200"},
        {"no flags", Mouse(0, 0, 0, 0), "mouse without flags"},
        {"time and extra", stamped, "left down time=5 extra=0x7f"},
        {"digit", Key('7', KEYEVENTF_KEYUP), "key 7 up"},
        {"unnamed", Key(VK_F1, 0), "key 0x70 down"},
        {"extended with scan", Key(VK_RETURN, KEYEVENTF_EXTENDEDKEY, 28), "key RETURN down extended scan=28"},
        {"unicode", Key(0, KEYEVENTF_UNICODE, 'H'), "key 0x00 down scan=72 flags=0x0004"},
        {"hardware", hardware, "hardware msg=0x0100 wParamL=1 wParamH=2"},
        {"unknown type", unknownType, "type=7"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(InputRecordDescriber::Describe(row.record), row.expected);
    }
}

}  // namespace
