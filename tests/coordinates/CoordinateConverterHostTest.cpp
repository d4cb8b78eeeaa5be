#include "coordinates/CoordinateConverterHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "windowing/WindowUtilities.h"
#include "simulated_desktop.h"

namespace {

using TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost;
using Point = std::pair<int64_t, int64_t>;

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kSentinel = TESSARIL_VIEWPORT_SIZE_SENTINEL;
constexpr RECT kWindow = {100, 50, 1700, 950};  // 1600 x 900 at (100, 50)
constexpr RECT kMonitor = {-1600, 0, 0, 900};   // left of the primary one

enum class Mode { Window, Screen };

// Every case starts on a fresh desktop and converter; Share creates the window
// or monitor and hands it to the converter.
class CoordinateConverterTest : public ::testing::Test {
protected:
    void SetUp() override { StartFresh(); }
    void TearDown() override { CoordinateConverterHost::DestroyInstance(); }

    static void StartFresh() { SimulatedDesktop::Reset(), CoordinateConverterHost::DestroyInstance(); }
    static CoordinateConverterHost& Converter() { return *CoordinateConverterHost::GetInstance(); }
    static uint64_t Share(Mode mode, RECT rect)
    {
        const uint64_t id =
            mode == Mode::Screen ? reinterpret_cast<uintptr_t>(SimulatedDesktop::AddMonitor(rect, false))
                                 : TESSARIL_REMOTECONTROL_HOST::FromHwnd(
                                       SimulatedDesktop::CreateTopLevelWindow({.className = "", .title = "", .rect = rect}));
        Converter().SetScreenId(id, mode == Mode::Screen);
        return id;
    }
    static Point ToScreen(Point p, int64_t width, int64_t height)
    {
        Converter().ViewportToScreen(p.first, p.second, width, height);
        return p;
    }
    static Point ToViewport(Point p)
    {
        Converter().ScreenToViewport(p.first, p.second);
        return p;
    }
};

// Scaled by the target's width over the viewport's (single precision, truncated
// toward zero), then shifted by the target's origin. Hostile values saturate:
// the UBSan build with float-cast-overflow aborts on any row that overflows.
TEST_F(CoordinateConverterTest, ViewportPointsAreScaledByTheWidthsAndShiftedByTheTargetOrigin)
{
    const struct { const char* label; Mode mode; RECT target; int64_t width, height; Point in, out; } rows[] = {
        {"window at (100,50) 1600 wide, viewport 800", Mode::Window, kWindow, 800, 600, {10, 20}, {120, 90}},
        {"monitor at (-1600,0), viewport 800", Mode::Screen, kMonitor, 800, 450, {10, 20}, {-1580, 40}},
        {"negative halves truncate toward zero", Mode::Window, {100, 50, 900, 650}, 1600, 1200, {-5, -3}, {98, 49}},
        {"scale 1.5", Mode::Window, {0, 0, 1920, 1080}, 1280, 720, {101, 33}, {151, 49}},
        {"the height never enters the scale", Mode::Window, {0, 0, 1600, 900}, 800, 100, {10, 20}, {20, 40}},
        {"zero width refused, point kept", Mode::Window, kWindow, 0, 600, {10, 20}, {10, 20}},
        {"zero height refused, point kept", Mode::Window, kWindow, 1600, 0, {10, 20}, {10, 20}},
        {"INT64 max coordinates", Mode::Window, kWindow, 800, 600, {kMax, kMax}, {kMax, kMax}},
        {"INT64 min coordinates", Mode::Window, kWindow, 800, 600, {kMin, kMin}, {kMin + 100, kMin + 50}},
        {"INT64 min plus a negative origin", Mode::Screen, kMonitor, 1600, 900, {kMin, kMax}, {kMin, kMax}},
        {"viewport width 1 with a huge window", Mode::Window, {-1'000'000'000, 0, 1'000'000'000, 100}, 1, 1,
         {1'000'000'000'000, -5}, {kMax - 1'000'000'000, -10'000'000'000}},
        {"a window wider than INT32_MAX wraps", Mode::Window, {INT32_MIN, 0, INT32_MAX, 10}, 1, 1, {7, 3},
         {int64_t{INT32_MIN} - 7, -3}},
        {"negative viewport width mirrors", Mode::Window, kWindow, -800, 600, {10, 20}, {80, 10}},
        {"INT64 max viewport size", Mode::Window, kWindow, kMax, kMax, {10, 20}, {100, 50}},
        {"INT64 min viewport width", Mode::Window, kWindow, kMin, 600, {10, 20}, {100, 50}},
        {"huge point, sentinel before any scale", Mode::Screen, kMonitor, kSentinel, 1, {kMax, kMin}, {-1600, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        StartFresh();
        Share(row.mode, row.target);
        EXPECT_EQ(ToScreen(row.in, row.width, row.height), row.out);
    }
}

// Window mode: the width stored by an accepted Reset against the window's
// current width; screen mode: the scale of the last call or Reset. A refused
// call or Reset (a zero size) leaves both.
TEST_F(CoordinateConverterTest, SentinelSizeTakesTheStoredScaleOfEachMode)
{
    // resetWidth, lastWidth: 0 for no such call
    const struct { const char* label; Mode mode; int64_t resetWidth, lastWidth, width, height; Point out; } rows[] = {
        {"window, sentinel width", Mode::Window, 800, 0, kSentinel, 600, {130, 110}},
        {"window, sentinel height: the call's width ignored", Mode::Window, 800, 0, 1200, kSentinel, {130, 110}},
        {"window, before any Reset: refused", Mode::Window, 0, 0, kSentinel, 600, {10, 20}},
        {"screen, the last call's 2, not Reset's 4", Mode::Screen, 400, 800, kSentinel, 450, {-1580, 40}},
        {"screen, Reset's 4 before any call", Mode::Screen, 400, 0, kSentinel, 450, {-1560, 80}},
        {"screen, before any scale: the origin", Mode::Screen, 0, 0, kSentinel, 450, {-1600, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        StartFresh();
        const uint64_t id = Share(row.mode, row.mode == Mode::Window ? kWindow : kMonitor);
        if (row.resetWidth != 0) {
            Converter().Reset({7, 8, row.resetWidth, 300});
        }
        Converter().Reset({7, 8, 0, 300});
        Converter().Reset({7, 8, 100, 0});
        if (row.lastWidth != 0) {
            ToScreen({10, 20}, row.lastWidth, 450);
        }
        ToScreen({10, 20}, 0, 450);
        if (row.mode == Mode::Window) {  // 2400 wide now
            SimulatedDesktop::SetWindowRect(TESSARIL_REMOTECONTROL_HOST::ToHwnd(static_cast<uint32_t>(id)),
                                            {100, 50, 2500, 950});
        }
        EXPECT_EQ(ToScreen({10, 20}, row.width, row.height), row.out);
    }
}

// Window mode subtracts the window's origin, saturating; screen mode and a
// window that cannot be queried leave the point as it is.
TEST_F(CoordinateConverterTest, ScreenPointsAreShiftedIntoTheSharedWindowOnly)
{
    const struct { const char* label; Mode mode; RECT target; bool destroyed; Point in, out; } rows[] = {
        {"window", Mode::Window, kWindow, false, {120, 90}, {20, 40}},
        {"screen", Mode::Screen, kMonitor, false, {120, 90}, {120, 90}},
        {"destroyed window", Mode::Window, kWindow, true, {10, 20}, {10, 20}},
        {"saturates low", Mode::Window, kWindow, false, {kMin, kMin + 10}, {kMin, kMin}},
        {"saturates high", Mode::Window, {-100, -50, 100, 50}, false, {kMax, kMax - 10}, {kMax, kMax}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        StartFresh();
        const uint64_t id = Share(row.mode, row.target);
        if (row.destroyed) {
            SimulatedDesktop::DestroyWindow(TESSARIL_REMOTECONTROL_HOST::ToHwnd(static_cast<uint32_t>(id)));
            EXPECT_EQ(ToScreen({10, 20}, 800, 600), Point(0, 0)) << "a failed query puts points on the origin";
        }
        EXPECT_EQ(ToViewport(row.in), row.out);
    }
}

TEST_F(CoordinateConverterTest, OnlyTheLowHalfOfTheIdNamesTheTargetAndNoneIsZeroByZero)
{
    const auto size = Converter().GetLocalScreenSize();
    EXPECT_EQ(Point(size.width, size.height), Point(0, 0));
    const uint64_t window = Share(Mode::Window, kWindow);
    Converter().SetScreenId(0xABCD'0000'0000 | window, false);
    EXPECT_EQ(Converter().GetLocalScreenSize().width, 1600);
}

}  // namespace
