#include "VirtualKeyNames.h"

#include <fmt/format.h>

#include <utility>

#include "platform_win32.h"

namespace TESSARIL_HOST_APP {
namespace {

constexpr std::pair<uint32_t, std::string_view> kNamedKeys[] = {
    {VK_CAPITAL, "CAPITAL"}, {VK_NUMLOCK, "NUMLOCK"}, {VK_SHIFT, "SHIFT"}, {VK_CONTROL, "CONTROL"},
    {VK_MENU, "MENU"},       {VK_RETURN, "RETURN"},   {VK_SPACE, "SPACE"}, {VK_BACK, "BACK"},
    {VK_TAB, "TAB"},         {VK_ESCAPE, "ESCAPE"},
};

// Windows gives letter and digit keys the codes of their upper-case ASCII characters.
bool IsLetterOrDigit(uint32_t vk)
{
    return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
}

}  // namespace

std::string VirtualKeyName(uint32_t vk)
{
    if (IsLetterOrDigit(vk)) {
        return std::string(1, static_cast<char>(vk));
    }
    for (const auto& [code, name] : kNamedKeys) {
        if (code == vk) {
            return std::string(name);
        }
    }
    return fmt::format("{:#04x}", vk);
}

std::optional<uint32_t> VirtualKeyFromName(std::string_view name)
{
    if (name.size() == 1 && IsLetterOrDigit(static_cast<unsigned char>(name[0]))) {
        return static_cast<unsigned char>(name[0]);
    }
    for (const auto& [code, keyName] : kNamedKeys) {
        if (keyName == name) {
            return code;
        }
    }
    return std::nullopt;
}

}  // namespace TESSARIL_HOST_APP
