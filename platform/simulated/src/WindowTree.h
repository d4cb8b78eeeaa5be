#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "WindowText.h"
#include "platform_win32.h"
#include "simulated_desktop.h"

namespace SimulatedDesktop {

struct Window {
    HWND handle = nullptr;
    HWND parent = nullptr;         // null for a top-level window
    std::vector<HWND> children;    // top of the z-order first
    WindowText className;
    WindowText title;
    DWORD processId = 0;
    DWORD threadId = 0;
    RECT rect{};                   // screen coordinates
    LONG style = 0;                // WS_VISIBLE and WS_MINIMIZE carry the window's state
    LONG exStyle = 0;
    bool onCurrentDesktop = true;  // read from the top-level ancestor
    bool desktopQueryFails = false;
};

// Every window of the desktop: the top-level windows in z-order, each window's
// children in z-order, and the windows by handle. Not thread-safe: the desktop
// lock guards it.
class WindowTree {
public:
    static constexpr uint32_t kFirstHandle = 0x10010;

    void Clear();

    // `parent` must name a window, or be null for a top-level window.
    HWND Create(HWND parent, const WindowSpec& windowSpec);
    void Destroy(HWND handle);

    Window* Find(HWND handle);
    const Window* Find(HWND handle) const;

    void BringToTop(const Window& window);
    void Move(Window& window, const RECT& rect);

    // GetWindow's answer for one of the GW_* commands; null when there is none.
    HWND Related(const Window& window, UINT command) const;

    const std::vector<HWND>& TopLevel() const { return topLevel; }
    Window& TopLevelAncestor(Window& window);
    // Visible means WS_VISIBLE on the window and on every ancestor.
    bool IsVisible(const Window& window) const;

private:
    std::vector<HWND>& SiblingsOf(const Window& window);
    const std::vector<HWND>& SiblingsOf(const Window& window) const;
    void PlaceOnTop(const Window& window);
    void Unlink(const Window& window);
    void Shift(Window& window, LONG dx, LONG dy);

    std::map<uint32_t, Window> windows;
    std::vector<HWND> topLevel;
    uint32_t nextHandle = kFirstHandle;
};

}  // namespace SimulatedDesktop
