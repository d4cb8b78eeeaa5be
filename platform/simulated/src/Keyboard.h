#pragma once

#include <array>

#include "platform_win32.h"

namespace SimulatedDesktop {

// The state of the 256 virtual keys: down (0x80) and toggled (0x01), as
// Windows keeps it. Not thread-safe: the desktop lock guards it.
class Keyboard {
public:
    void Reset() { keys.fill(0); }

    // GetKeyState's answer: the high bit when down, bit 0 when toggled.
    SHORT State(int vk) const;
    bool IsDown(int vk) const { return (Key(vk) & kDown) != 0; }
    bool IsToggled(int vk) const { return (Key(vk) & kToggled) != 0; }
    void SetToggled(int vk, bool toggled);

    // One injected keyboard record.
    void Apply(const KEYBDINPUT& input);

private:
    static constexpr BYTE kDown = 0x80;
    static constexpr BYTE kToggled = 0x01;

    BYTE& Key(int vk) { return keys[static_cast<size_t>(vk & 0xFF)]; }
    BYTE Key(int vk) const { return keys[static_cast<size_t>(vk & 0xFF)]; }

    std::array<BYTE, 256> keys{};
};

}  // namespace SimulatedDesktop
