#pragma once

#include <fmt/format.h>
#include <fmt/ranges.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "FakeClock.h"
#include "JournalLines.h"
#include "RecordingLogger.h"
#include "coordinates/CoordinateConverterHost.h"
#include "injection/InputInjector.h"
#include "messaging/Records.h"
#include "platform_win32.h"
#include "simulated_desktop.h"

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using TESSARIL_REMOTECONTROL_HOST::HostIgnoredWindow;
using TESSARIL_SERVER_API::KeyEvent;
using TESSARIL_SERVER_API::MouseEvent;
using Journal = std::vector<std::string>;

inline const std::string kMove = Rec(32768, 32768, 0, 0x8001);  // the viewport's centre
inline const std::string kCentre = Send({kMove});

// A mouse event of the viewer: by default a move to the centre of a viewport of
// the primary display's size, with sequence number 0 (always accepted).
class MouseEventBuilder {
public:
    MouseEventBuilder& At(int64_t x, int64_t y) { e.x = x; e.y = y; return *this; }
    MouseEventBuilder& Button(int64_t type, int64_t b, bool p) { e.eventType = type; e.button = b; e.pressed = p; return *this; }
    MouseEventBuilder& Wheel(double x, double y) { e.wheelDeltaX = x; e.wheelDeltaY = y; return *this; }
    MouseEventBuilder& Delta(int64_t x, int64_t y) { e.deltaX = x; e.deltaY = y; return *this; }
    MouseEventBuilder& Viewport(int64_t w, int64_t h) { e.vp_width = w; e.vp_height = h; return *this; }
    MouseEventBuilder& Seq(int64_t seq) { e.seq = seq; return *this; }
    operator MouseEvent() const { return e; }

private:
    MouseEvent e = [] { MouseEvent m; m.x = 960; m.y = 540; m.vp_width = 1920; m.vp_height = 1080; return m; }();
};

inline KeyEvent Key(int64_t keyCode, bool pressed, int64_t capsLock = 0, bool numLock = false)
{
    KeyEvent e;
    std::tie(e.keyCode, e.pressed, e.capsLock, e.numLock) = std::tuple(keyCode, pressed, capsLock, numLock);
    return e;
}


// Ignore-window requests; a type-1 request points into `bytes`, which must outlive it.
inline HostIgnoredWindow Ignore(int64_t type, int64_t handle = 0)
{
    HostIgnoredWindow request;
    std::tie(request.ignoreType, request.windowHandle) = std::tuple(type, handle);
    return request;
}
inline HostIgnoredWindow ByHandle(HWND window) { return Ignore(3, static_cast<int64_t>(IdOf(window))); }
inline HostIgnoredWindow ByBytes(const uint8_t* bytes, uint32_t count)
{
    HostIgnoredWindow request = Ignore(1);
    std::tie(request.windowBytes, request.windowByteCount) = std::tuple(bytes, count);
    return request;
}
inline HostIgnoredWindow ByTitles(DWORD processId, std::vector<std::string> titles)
{
    HostIgnoredWindow request = Ignore(2);
    std::tie(request.processId, request.windowTitles) = std::tuple(processId, std::move(titles));
    return request;
}
inline std::array<uint8_t, 4> BytesOf(HWND window)
{
    const auto handle = static_cast<uint32_t>(IdOf(window));
    std::array<uint8_t, 4> bytes{};
    std::memcpy(bytes.data(), &handle, bytes.size());
    return bytes;
}

// The value the injector logs for a handle: sign-extended to 64 bits.
inline uint64_t LoggedHandle(HWND window)
{
    return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(IdOf(window))));
}

inline HWND CreateWindowAt(RECT rect, LONG exStyle = 0, const std::string& className = "Notepad")
{
    SimulatedDesktop::WindowSpec windowSpec;
    std::tie(windowSpec.className, windowSpec.rect, windowSpec.exStyle) = std::tuple(className, rect, exStyle);
    return SimulatedDesktop::CreateTopLevelWindow(windowSpec);
}

// A fresh desktop and converter, a clock past every rate limit (those sites are
// statics that outlive a test), and the injector sharing the primary screen.
// ShareScreen / ShareWindow start injector and converter on one target, then
// empty journal and log after the converter's rate-limited lines: a test sees
// only what it injects.
class InjectorTest : public ::testing::Test {
protected:
    static constexpr int64_t kScreenWidth = 1920;
    static constexpr int64_t kScreenHeight = 1080;
    using Converter = TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost;

    void SetUp() override
    {
        static int64_t testTime = 1'700'000'000'000;
        clock.Set(testTime += 1'000'000);
        SimulatedDesktop::Reset();
        Converter::DestroyInstance();
        ShareScreen();
    }
    void TearDown() override { Converter::DestroyInstance(); }

    void ShareScreen() { Share(IdOf(SimulatedDesktop::PrimaryMonitor()), true, kScreenWidth, kScreenHeight); }
    // A viewport of the window's size: viewport points are shifted by the window's origin.
    void ShareWindow(HWND window)
    {
        RECT r{};
        GetWindowRect(window, &r);
        Share(IdOf(window), false, r.right - r.left, r.bottom - r.top);
    }
    static void ClearRecords() { SimulatedDesktop::ClearJournal(), RecordingLogger::Clear(); }
    static std::pair<LONG, LONG> Cursor() { return {SimulatedDesktop::CursorPosition().x, SimulatedDesktop::CursorPosition().y}; }
    static void ExpectJournal(const Journal& journal) { EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(journal)); }
    static void ExpectLog(const std::vector<LoggedLine>& lines) { EXPECT_THAT(RecordingLogger::Lines(), ElementsAreArray(lines)); }

    FakeClock clock;
    TESSARIL_REMOTECONTROL_HOST::InputInjector injector;

private:
    void Share(uint64_t id, bool isScreen, int64_t width, int64_t height)
    {
        Converter* converter = Converter::GetInstance();
        converter->SetScreenId(id, isScreen);
        converter->Reset({0, 0, width, height});
        int64_t x = 1, y = 1;
        converter->ViewportToScreen(x, y, width, height);  // spends the rate-limited lines
        injector.Init(id, isScreen);
        ClearRecords();
    }
};
