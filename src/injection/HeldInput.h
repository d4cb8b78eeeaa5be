#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "platform_win32.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// The keys and mouse buttons the injector has pressed on the host and not yet
// released. A viewer that goes away while holding Shift or a button would
// otherwise leave it down for the person at the host: the next click becomes a
// Shift-click, a drag goes on without a button.
//
// It learns from the records the desktop actually took, so a button is held
// as it was sent (after the swapped-buttons mapping, an X button with its
// number) and a key as its virtual-key code. A repeated press (auto-repeat)
// counts once. Not thread-safe: the injector's mutex guards it.
class HeldInput {
public:
    // The first `inserted` of `records`, as many as SendInput reported taken:
    // a record the desktop refused pressed or released nothing.
    void Observe(const INPUT* records, UINT inserted);

    // One record per held key, newest press first, then one per held button,
    // newest press first. No record moves the cursor. When an Alt or Windows
    // key is held, a tap of an unassigned key comes first (kMenuMaskKey).
    std::vector<INPUT> ReleaseRecords() const;

    // Windows treats an Alt or Windows key that goes up with no other key
    // pressed since it went down as a tap: the menu bar activates, the Start
    // menu opens. A tap of a key that no keyboard layout assigns, while they
    // are still down, makes their release an ordinary one. 0xE8 is listed as
    // unassigned in the virtual-key table.
    static constexpr WORD kMenuMaskKey = 0xE8;

    size_t KeyCount() const;
    size_t ButtonCount() const;
    void Forget();

private:
    // A button as the desktop knows it: its release flag and, for an X
    // button, its number in mouseData.
    struct Button {
        DWORD upFlag = 0;
        DWORD data = 0;

        bool operator==(const Button&) const = default;
    };
    // Left, right, middle and the two X buttons.
    static constexpr size_t kButtons = 5;

    void ObserveKey(const KEYBDINPUT& key);
    void ObserveMouse(const MOUSEINPUT& mouse);
    void Press(Button button);
    void Release(Button button);
    bool HoldsMenuKey() const;

    std::vector<WORD> keys;
    std::array<Button, kButtons> buttons{};
    size_t buttonCount = 0;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
