#include "InputRecordDescriber.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "VirtualKeyNames.h"

namespace TESSARIL_HOST_APP {
namespace {

constexpr std::array<std::pair<DWORD, const char*>, 6> kButtons{{
    {MOUSEEVENTF_LEFTDOWN, "left down"},
    {MOUSEEVENTF_LEFTUP, "left up"},
    {MOUSEEVENTF_RIGHTDOWN, "right down"},
    {MOUSEEVENTF_RIGHTUP, "right up"},
    {MOUSEEVENTF_MIDDLEDOWN, "middle down"},
    {MOUSEEVENTF_MIDDLEUP, "middle up"},
}};

std::string Hex(uintmax_t value, int digits)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%0*jx", digits, value);
    return text;
}

// mouseData is signed for wheels: a step down is -120.
std::string Signed(DWORD data)
{
    return std::to_string(static_cast<int32_t>(data));
}

std::string Join(const std::vector<std::string>& parts, const char* separator)
{
    std::string joined;
    for (const std::string& part : parts) {
        joined += joined.empty() ? part : separator + part;
    }
    return joined;
}

}  // namespace

std::string InputRecordDescriber::Describe(const INPUT& record)
{
    switch (record.type) {
    case INPUT_MOUSE:
        return DescribeMouse(record.mi);
    case INPUT_KEYBOARD:
        return DescribeKey(record.ki);
    case INPUT_HARDWARE:
        return "hardware msg=" + Hex(record.hi.uMsg, 4) + " wParamL=" + std::to_string(record.hi.wParamL) +
               " wParamH=" + std::to_string(record.hi.wParamH);
    default:
        return "type=" + std::to_string(record.type);
    }
}

std::string InputRecordDescriber::DescribeCall(const INPUT* records, size_t count)
{
    std::vector<std::string> parts;
    for (size_t i = 0; i < count; ++i) {
        parts.push_back(Describe(records[i]));
    }
    return parts.empty() ? "no records" : Join(parts, " | ");
}

std::string InputRecordDescriber::DescribeMouse(const MOUSEINPUT& mouse)
{
    std::vector<std::string> parts;
    DWORD known = 0;
    if (mouse.dwFlags & MOUSEEVENTF_MOVE) {
        parts.push_back(DescribeMove(mouse, known));
    }
    for (const auto& [flag, words] : kButtons) {
        if (mouse.dwFlags & flag) {
            parts.emplace_back(words);
        }
        known |= flag;
    }
    if (mouse.dwFlags & MOUSEEVENTF_XDOWN) {
        parts.push_back(DescribeXButton(mouse.mouseData, "down"));
    }
    if (mouse.dwFlags & MOUSEEVENTF_XUP) {
        parts.push_back(DescribeXButton(mouse.mouseData, "up"));
    }
    if (mouse.dwFlags & MOUSEEVENTF_WHEEL) {
        parts.push_back("wheel " + Signed(mouse.mouseData));
    }
    if (mouse.dwFlags & MOUSEEVENTF_HWHEEL) {
        parts.push_back("hwheel " + Signed(mouse.mouseData));
    }
    known |= MOUSEEVENTF_XDOWN | MOUSEEVENTF_XUP | MOUSEEVENTF_WHEEL | MOUSEEVENTF_HWHEEL;
    if (const DWORD unknown = mouse.dwFlags & ~known) {
        parts.push_back("flags=" + Hex(unknown, 4));
    }
    const std::string actions = parts.empty() ? "mouse without flags" : Join(parts, " + ");
    return actions + TimeAndExtra(mouse.time, mouse.dwExtraInfo);
}

// ABSOLUTE, VIRTUALDESK and NOCOALESCE qualify a move only; without MOVE
// Windows ignores them, and so they count among the unknown flags.
std::string InputRecordDescriber::DescribeMove(const MOUSEINPUT& mouse, DWORD& known)
{
    const bool absolute = mouse.dwFlags & MOUSEEVENTF_ABSOLUTE;
    std::string words = std::string(absolute ? "move abs " : "move rel ") + std::to_string(mouse.dx) + "," +
                        std::to_string(mouse.dy);
    if (mouse.dwFlags & MOUSEEVENTF_VIRTUALDESK) {
        words += " virtualdesk";
    }
    if (mouse.dwFlags & MOUSEEVENTF_MOVE_NOCOALESCE) {
        words += " nocoalesce";
    }
    known |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | MOUSEEVENTF_MOVE_NOCOALESCE;
    return words;
}

std::string InputRecordDescriber::DescribeXButton(DWORD data, const char* direction)
{
    if (data == XBUTTON1 || data == XBUTTON2) {
        return std::string(data == XBUTTON1 ? "x1 " : "x2 ") + direction;
    }
    return std::string("x ") + direction + " data=" + Signed(data);
}

std::string InputRecordDescriber::DescribeKey(const KEYBDINPUT& key)
{
    std::string words = "key " + VirtualKeyName(key.wVk) + (key.dwFlags & KEYEVENTF_KEYUP ? " up" : " down");
    if (key.dwFlags & KEYEVENTF_EXTENDEDKEY) {
        words += " extended";
    }
    if (key.wScan != 0) {
        words += " scan=" + std::to_string(key.wScan);
    }
    if (const DWORD unknown = key.dwFlags & ~DWORD{KEYEVENTF_KEYUP | KEYEVENTF_EXTENDEDKEY}) {
        words += " flags=" + Hex(unknown, 4);
    }
    return words + TimeAndExtra(key.time, key.dwExtraInfo);
}

// The plugin leaves both zero; a non-zero value is worth seeing.
std::string InputRecordDescriber::TimeAndExtra(DWORD time, ULONG_PTR extra)
{
    std::string words;
    if (time != 0) {
        words += " time=" + std::to_string(time);
    }
    if (extra != 0) {
        words += " extra=" + Hex(extra, 1);
    }
    return words;
}

}  // namespace TESSARIL_HOST_APP
