#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "FakeClock.h"
#include "RecordingLogger.h"
#include "injection/InputInjector.h"
#include "messaging/Records.h"
#include "platform_win32.h"
#include "simulated_desktop.h"

// The journal line with which every injected event keeps the host awake.
inline constexpr const char* kAwake = "SetThreadExecutionState 0x00000001";

// A mouse event of the viewer; by default a move to the viewport's centre with
// sequence number 0 (always accepted) in a viewport of the primary display's size.
class MouseEventBuilder {
public:
    MouseEventBuilder() { At(960, 540).Viewport(1920, 1080); }

    MouseEventBuilder& At(int64_t x, int64_t y) { event.x = x; event.y = y; return *this; }
    MouseEventBuilder& Button(int64_t type, int64_t button, bool pressed)
    {
        event.eventType = type;
        event.button = button;
        event.pressed = pressed;
        return *this;
    }
    MouseEventBuilder& Wheel(double x, double y) { event.wheelDeltaX = x; event.wheelDeltaY = y; return *this; }
    MouseEventBuilder& Delta(int64_t x, int64_t y) { event.deltaX = x; event.deltaY = y; return *this; }
    MouseEventBuilder& Viewport(int64_t w, int64_t h) { event.vp_width = w; event.vp_height = h; return *this; }
    MouseEventBuilder& Seq(int64_t seq) { event.seq = seq; return *this; }

    operator TESSARIL_SERVER_API::MouseEvent() const { return event; }

private:
    TESSARIL_SERVER_API::MouseEvent event;
};

TESSARIL_SERVER_API::KeyEvent KeyPress(int64_t keyCode, int64_t capsLock = 0, bool numLock = false);
TESSARIL_SERVER_API::KeyEvent KeyRelease(int64_t keyCode, int64_t capsLock = 0, bool numLock = false);

// Ignore-window requests of the three types. A type-1 request points into
// `bytes`, which must outlive it.
TESSARIL_REMOTECONTROL_HOST::HostIgnoredWindow ByBytes(const uint8_t* bytes, uint32_t count);
TESSARIL_REMOTECONTROL_HOST::HostIgnoredWindow ByTitles(DWORD processId, std::vector<std::string> titles);
TESSARIL_REMOTECONTROL_HOST::HostIgnoredWindow ByHandle(int64_t handle);
TESSARIL_REMOTECONTROL_HOST::HostIgnoredWindow ByHandle(HWND window);
std::array<uint8_t, 4> BytesOf(HWND window);

// The journal line of a SetWindowLongA on the extended style.
std::string ExStyleLine(HWND window, LONG newStyle, LONG previous);
// The values the injector logs for a handle: sign-extended to 64 bits.
uint64_t LoggedHandle(HWND window);

HWND CreateWindowAt(RECT rect, LONG exStyle = 0, const std::string& className = "Notepad");

// A fresh desktop, a fresh converter and a clock moved past every rate limit.
// ShareScreen / ShareWindow start the injector and the converter on one target
// and then empty the journal and the log, after the converter's own
// rate-limited lines have been written: a test sees only what it injects.
class InjectorTest : public ::testing::Test {
protected:
    static constexpr int64_t kScreenWidth = 1920;
    static constexpr int64_t kScreenHeight = 1080;

    void SetUp() override;
    void TearDown() override;

    // The primary monitor with a viewport of its size: viewport points are screen points.
    void ShareScreen();
    // A viewport of the window's size: viewport points are shifted by the window's origin.
    void ShareWindow(HWND window);
    static void ClearRecords();

    FakeClock clock;
    TESSARIL_REMOTECONTROL_HOST::InputInjector injector;
};
