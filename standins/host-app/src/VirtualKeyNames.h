#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace TESSARIL_HOST_APP {

// A letter or digit key is its character; CAPITAL NUMLOCK SHIFT CONTROL MENU
// RETURN SPACE BACK TAB ESCAPE by name; any other code in hex, 0x70.
std::string VirtualKeyName(uint32_t vk);
// The reverse for the names and characters (not for hex).
std::optional<uint32_t> VirtualKeyFromName(std::string_view name);

}  // namespace TESSARIL_HOST_APP
