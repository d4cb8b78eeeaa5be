#include "injection/HeldInput.h"

#include <algorithm>

#include "injection/KeyboardRecords.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

struct PlainButton {
    DWORD downFlag;
    DWORD upFlag;
};

constexpr std::array<PlainButton, 3> kPlainButtons{{
    {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
    {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
    {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP},
}};

constexpr std::array<DWORD, 2> kXButtons{XBUTTON1, XBUTTON2};

// The keys whose lone release is a tap with a meaning of its own.
constexpr std::array<WORD, 5> kMenuKeys{VK_MENU, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN};

INPUT ButtonRelease(DWORD upFlag, DWORD data)
{
    INPUT record{};
    record.type = INPUT_MOUSE;
    record.mi.dwFlags = upFlag;
    record.mi.mouseData = data;
    return record;
}

}  // namespace

void HeldInput::Observe(const INPUT* records, UINT inserted)
{
    for (UINT i = 0; i < inserted; ++i) {
        if (records[i].type == INPUT_KEYBOARD) {
            ObserveKey(records[i].ki);
        } else if (records[i].type == INPUT_MOUSE) {
            ObserveMouse(records[i].mi);
        }
    }
}

std::vector<INPUT> HeldInput::ReleaseRecords() const
{
    std::vector<INPUT> records;
    records.reserve(keys.size() + buttonCount + 2);
    if (HoldsMenuKey()) {
        const std::array<INPUT, 2> mask = KeyTapRecords(kMenuMaskKey);
        records.insert(records.end(), mask.begin(), mask.end());
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        records.push_back(KeyRecord(*key, KEYEVENTF_KEYUP));
    }
    for (size_t i = buttonCount; i > 0; --i) {
        records.push_back(ButtonRelease(buttons[i - 1].upFlag, buttons[i - 1].data));
    }
    return records;
}

size_t HeldInput::KeyCount() const
{
    return keys.size();
}

size_t HeldInput::ButtonCount() const
{
    return buttonCount;
}

void HeldInput::Forget()
{
    keys.clear();
    buttonCount = 0;
}

// Virtual-key code 0 names no key; the desktop ignores it.
void HeldInput::ObserveKey(const KEYBDINPUT& key)
{
    const auto held = std::find(keys.begin(), keys.end(), key.wVk);
    if ((key.dwFlags & KEYEVENTF_KEYUP) != 0) {
        if (held != keys.end()) {
            keys.erase(held);
        }
    } else if (held == keys.end() && key.wVk != 0) {
        keys.push_back(key.wVk);
    }
}

// A record may carry a press and a release; the desktop applies the press first.
void HeldInput::ObserveMouse(const MOUSEINPUT& mouse)
{
    for (const PlainButton& plain : kPlainButtons) {
        if ((mouse.dwFlags & plain.downFlag) != 0) {
            Press({plain.upFlag, 0});
        }
        if ((mouse.dwFlags & plain.upFlag) != 0) {
            Release({plain.upFlag, 0});
        }
    }
    for (const DWORD number : kXButtons) {
        if ((mouse.mouseData & number) == 0) {
            continue;
        }
        if ((mouse.dwFlags & MOUSEEVENTF_XDOWN) != 0) {
            Press({MOUSEEVENTF_XUP, number});
        }
        if ((mouse.dwFlags & MOUSEEVENTF_XUP) != 0) {
            Release({MOUSEEVENTF_XUP, number});
        }
    }
}

bool HeldInput::HoldsMenuKey() const
{
    return std::find_first_of(keys.begin(), keys.end(), kMenuKeys.begin(), kMenuKeys.end()) != keys.end();
}

void HeldInput::Press(Button button)
{
    const auto end = buttons.begin() + static_cast<std::ptrdiff_t>(buttonCount);
    if (std::find(buttons.begin(), end, button) == end) {
        buttons[buttonCount++] = button;
    }
}

void HeldInput::Release(Button button)
{
    const auto end = buttons.begin() + static_cast<std::ptrdiff_t>(buttonCount);
    const auto held = std::find(buttons.begin(), end, button);
    if (held != end) {
        std::copy(held + 1, end, held);
        --buttonCount;
    }
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
