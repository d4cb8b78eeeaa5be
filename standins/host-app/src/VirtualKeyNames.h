#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace TESSARIL_HOST_APP {

// Names of virtual-key codes in the words a session file and a report use:
// letters and digits as themselves ("A", "7"), a handful of common keys by
// their Windows names without the VK_ prefix ("CAPITAL", "RETURN"), every
// other code in hexadecimal ("0x70").

std::string VirtualKeyName(uint32_t vk);

// The code a name stands for; none for a text that is no name.
std::optional<uint32_t> VirtualKeyFromName(std::string_view name);

}  // namespace TESSARIL_HOST_APP
