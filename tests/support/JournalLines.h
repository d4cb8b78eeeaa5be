#pragma once

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform_win32.h"

// The simulated desktop's journal lines, written the way tests expect them, so
// that a failed comparison names the missing or the extra call.

inline uint64_t IdOf(const void* handle) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle)); }

// The journal line with which every injected event keeps the host awake.
inline constexpr const char* kAwake = "SetThreadExecutionState 0x00000001";
inline constexpr LONG kTransparent = WS_EX_LAYERED | WS_EX_TRANSPARENT;

// Journal text of INPUT records and of the SendInput call that carries them;
// `outcome` defaults to the count of records, all inserted.
inline std::string Rec(int64_t dx, int64_t dy, int64_t data, unsigned flags)
{
    return fmt::format("mouse dx={} dy={} data={} flags={:#06x}", dx, dy, data, flags);
}
inline std::string Btn(unsigned flags, int64_t data = 0) { return Rec(0, 0, data, flags); }
inline std::string KeyRec(int64_t vk, bool up) { return fmt::format("key vk={:#x} scan=0 flags={:#06x}", vk, up ? 2 : 0); }
inline std::string Send(const std::vector<std::string>& records, std::string outcome = "")
{
    return fmt::format("SendInput {} -> {}", fmt::join(records, " | "),
                       outcome.empty() ? std::to_string(records.size()) : outcome);
}

// The journal line of a SetWindowLongA on the extended style.
inline std::string ExStyleLine(HWND window, LONG newStyle, LONG previous)
{
    return fmt::format("SetWindowLongA {:#x} GWL_EXSTYLE {:#010x} -> {:#010x}", IdOf(window),
                       static_cast<uint32_t>(newStyle), static_cast<uint32_t>(previous));
}
