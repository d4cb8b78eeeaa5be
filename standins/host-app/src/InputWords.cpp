#include "InputWords.h"

#include <fmt/ranges.h>

#include <cstdint>
#include <utility>

#include "VirtualKeyNames.h"

namespace TESSARIL_HOST_APP {
namespace {

constexpr std::pair<DWORD, const char*> kButtons[] = {
    {MOUSEEVENTF_LEFTDOWN, "left down"},     {MOUSEEVENTF_LEFTUP, "left up"},
    {MOUSEEVENTF_RIGHTDOWN, "right down"},   {MOUSEEVENTF_RIGHTUP, "right up"},
    {MOUSEEVENTF_MIDDLEDOWN, "middle down"}, {MOUSEEVENTF_MIDDLEUP, "middle up"},
};

// mouseData is signed for wheels (a notch down is -120) and names the X button.
constexpr std::pair<DWORD, const char*> kDataActions[] = {
    {MOUSEEVENTF_XDOWN, "x{} down"},
    {MOUSEEVENTF_XUP, "x{} up"},
    {MOUSEEVENTF_WHEEL, "wheel {}"},
    {MOUSEEVENTF_HWHEEL, "hwheel {}"},
};

// ABSOLUTE and VIRTUALDESK qualify a move only; without MOVE Windows ignores
// them, and so they count among the unknown flags there.
void AddMove(const MOUSEINPUT& mouse, std::vector<std::string>& actions, DWORD& known)
{
    if ((mouse.dwFlags & MOUSEEVENTF_MOVE) == 0) {
        return;
    }
    actions.push_back(fmt::format("move {} {},{}{}", mouse.dwFlags & MOUSEEVENTF_ABSOLUTE ? "abs" : "rel", mouse.dx,
                                  mouse.dy, mouse.dwFlags & MOUSEEVENTF_VIRTUALDESK ? " virtualdesk" : ""));
    known |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
}

std::string MouseWords(const MOUSEINPUT& mouse)
{
    std::vector<std::string> actions;
    DWORD known = 0;
    AddMove(mouse, actions, known);
    for (const auto& [flag, words] : kButtons) {
        if (mouse.dwFlags & flag) {
            actions.emplace_back(words);
        }
        known |= flag;
    }
    for (const auto& [flag, words] : kDataActions) {
        if (mouse.dwFlags & flag) {
            actions.push_back(fmt::format(fmt::runtime(words), static_cast<int32_t>(mouse.mouseData)));
        }
        known |= flag;
    }
    if (const DWORD unknown = mouse.dwFlags & ~known) {
        actions.push_back(fmt::format("flags={:#06x}", unknown));
    }
    return actions.empty() ? "mouse without flags" : fmt::to_string(fmt::join(actions, " + "));
}

std::string KeyWords(const KEYBDINPUT& key)
{
    const DWORD unknown = key.dwFlags & ~DWORD{KEYEVENTF_KEYUP | KEYEVENTF_EXTENDEDKEY};
    return fmt::format("key {} {}{}{}{}", VirtualKeyName(key.wVk), key.dwFlags & KEYEVENTF_KEYUP ? "up" : "down",
                       key.dwFlags & KEYEVENTF_EXTENDEDKEY ? " extended" : "",
                       key.wScan != 0 ? fmt::format(" scan={}", key.wScan) : "",
                       unknown != 0 ? fmt::format(" flags={:#06x}", unknown) : "");
}

std::string RecordWords(const INPUT& record)
{
    switch (record.type) {
    case INPUT_MOUSE:
        return MouseWords(record.mi);
    case INPUT_KEYBOARD:
        return KeyWords(record.ki);
    default:
        return fmt::format("type={}", record.type);
    }
}

}  // namespace

std::string InputWords(const std::vector<INPUT>& records)
{
    std::vector<std::string> words;
    for (const INPUT& record : records) {
        words.push_back(RecordWords(record));
    }
    return words.empty() ? "no records" : fmt::to_string(fmt::join(words, " | "));
}

}  // namespace TESSARIL_HOST_APP
