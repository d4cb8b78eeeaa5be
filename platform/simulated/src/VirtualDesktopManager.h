#pragma once

#include <atomic>

#include "platform_win32.h"

namespace SimulatedDesktop {

// The shell's virtual-desktop manager as CoCreateInstance hands it out:
// reference counted, deleted by its last Release. The simulated shell has two
// virtual desktops, the current one and one other; each window is on one of
// them by its top-level ancestor's flag.
class VirtualDesktopManager final : public IVirtualDesktopManager {
public:
    static constexpr GUID kCurrentDesktop = {
        0x5E1D0C6A, 0x2B7F, 0x4C35, {0x9A, 0x41, 0x6D, 0x0E, 0x83, 0x1F, 0x52, 0xC7}};
    static constexpr GUID kOtherDesktop = {
        0x5E1D0C6A, 0x2B7F, 0x4C35, {0x9A, 0x41, 0x6D, 0x0E, 0x83, 0x1F, 0x52, 0xC8}};

    VirtualDesktopManager() { ++live; }
    // Managers created and not yet deleted by their last Release.
    static int Live() { return live.load(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE IsWindowOnCurrentVirtualDesktop(HWND topLevelWindow, BOOL* onCurrentDesktop) override;
    HRESULT STDMETHODCALLTYPE GetWindowDesktopId(HWND topLevelWindow, GUID* desktopId) override;
    HRESULT STDMETHODCALLTYPE MoveWindowToDesktop(HWND topLevelWindow, REFGUID desktopId) override;

private:
    ~VirtualDesktopManager() { --live; }

    static inline std::atomic<int> live{0};
    std::atomic<ULONG> references{1};
};

}  // namespace SimulatedDesktop
