#pragma once

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
#include "ViewerPayloads.h"
#include "coordinates/CoordinateConverterHost.h"
#include "injection/InputInjector.h"
#include "messaging/RecordCopy.h"
#include "platform_win32.h"
#include "simulated_desktop.h"

using TESSARIL_REMOTECONTROL_HOST::HostIgnoredWindow;
using Viewer = TESSARIL_HOST_APP::MouseEvent;
using Journal = std::vector<std::string>;

inline const std::string kCentre = Send({Rec(32768, 32768, 0, 0x8001)});  // the primary display's centre

// A viewer's mouse event on a viewport of the primary display's size.
inline Viewer On1080p(int64_t x = 960, int64_t y = 540) { return Viewer(x, y, 1920, 1080); }

// Ignore-window requests; a type-1 request points into `bytes`, which must outlive it.
inline HostIgnoredWindow ByHandle(HWND window)
{
    HostIgnoredWindow request;
    std::tie(request.ignoreType, request.windowHandle) = std::tuple(3, static_cast<int64_t>(IdOf(window)));
    return request;
}
inline HostIgnoredWindow ByBytes(const uint8_t* bytes, uint32_t count)
{
    HostIgnoredWindow request;
    std::tie(request.ignoreType, request.windowBytes, request.windowByteCount) = std::tuple(1, bytes, count);
    return request;
}
inline HostIgnoredWindow ByTitles(DWORD processId, std::vector<std::string> titles)
{
    HostIgnoredWindow request;
    std::tie(request.ignoreType, request.processId, request.windowTitles) = std::tuple(2, processId, std::move(titles));
    return request;
}
inline std::array<uint8_t, 4> BytesOf(HWND window)
{
    const auto handle = static_cast<uint32_t>(IdOf(window));
    std::array<uint8_t, 4> bytes{};
    std::memcpy(bytes.data(), &handle, bytes.size());
    return bytes;
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

    void ShareScreen() { Share(IdOf(SimulatedDesktop::PrimaryMonitor()), true, 1920, 1080); }
    // A viewport of the window's size: viewport points are shifted by the window's origin.
    void ShareWindow(HWND window)
    {
        RECT r{};
        GetWindowRect(window, &r);
        Share(IdOf(window), false, r.right - r.left, r.bottom - r.top);
    }
    void Inject(const Viewer& event) { injector.InjectMouseEvent(TESSARIL_SERVER_API::ToMouseEvent(event)); }
    static void ClearRecords() { SimulatedDesktop::ClearJournal(), RecordingLogger::Clear(); }
    static void ExpectJournal(const Journal& journal)
    {
        EXPECT_THAT(SimulatedDesktop::Journal(), ::testing::ElementsAreArray(journal));
    }

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
