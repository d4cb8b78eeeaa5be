#include "Keyboard.h"

namespace SimulatedDesktop {

SHORT Keyboard::State(int vk) const
{
    // Sign-extending the byte turns "down" into the SHORT's high bit (0xFF80).
    return static_cast<SHORT>(static_cast<signed char>(Key(vk) & (kDown | kToggled)));
}

void Keyboard::SetToggled(int vk, bool toggled)
{
    Key(vk) = static_cast<BYTE>(toggled ? Key(vk) | kToggled : Key(vk) & ~kToggled);
}

void Keyboard::Apply(const KEYBDINPUT& input)
{
    // Scan codes and Unicode characters would need a keyboard layout to find
    // their virtual key; the simulated keyboard has none.
    if ((input.dwFlags & (KEYEVENTF_SCANCODE | KEYEVENTF_UNICODE)) != 0 || input.wVk == 0) {
        return;
    }
    BYTE& key = Key(input.wVk);
    if ((input.dwFlags & KEYEVENTF_KEYUP) != 0) {
        key = static_cast<BYTE>(key & ~kDown);
        return;
    }
    // Every key flips its toggle bit when it goes down (held keys repeating do
    // not); Caps Lock and Num Lock are the keys whose toggle anyone reads.
    if ((key & kDown) == 0) {
        key ^= kToggled;
    }
    key |= kDown;
}

}  // namespace SimulatedDesktop
