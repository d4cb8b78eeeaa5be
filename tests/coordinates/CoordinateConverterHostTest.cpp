#include "coordinates/CoordinateConverterHost.h"

#include <fmt/format.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <limits>
#include <thread>

#include "FakeClock.h"
#include "RecordingLogger.h"
#include "injection/WindowUtilities.h"
#include "simulated_desktop.h"

namespace {

using ::testing::ElementsAreArray;
using TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost;
using Lines = std::vector<LoggedLine>;

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kSentinel = TESSARIL_VIEWPORT_SIZE_SENTINEL;
constexpr RECT kWindow = {100, 50, 1700, 950};    // 1600 x 900 at (100, 50)
constexpr RECT kMonitor = {-1600, 0, 0, 900};     // left of the primary one
const LoggedLine kRefusal = ErrorLine("Client viewport area size must be Non-Zero!");

using Point = std::pair<int64_t, int64_t>;

LoggedLine Traced(const char* boundary, const std::string& operation)
{
    return InfoLine(fmt::format("{} TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost::{}{}", boundary, operation,
                                boundary[1] == 'x' ? ", cost : 0" : ""));
}
LoggedLine Before(int64_t width, int64_t height)
{
    return InfoLine(fmt::format("Before ViewportToScreen, x is 10, y is 20, vp_width is {}, vp_height is {}", width, height));
}

enum class Mode { Window, Screen };

class CoordinateConverterTest : public ::testing::Test {
protected:
    void SetUp() override { StartFresh(); }
    void TearDown() override { CoordinateConverterHost::DestroyInstance(); }

    static void StartFresh()
    {
        SimulatedDesktop::Reset();
        CoordinateConverterHost::DestroyInstance();
        RecordingLogger::Clear();
    }
    static CoordinateConverterHost& Converter() { return *CoordinateConverterHost::GetInstance(); }

    // Creates the window or monitor, hands it to the converter, forgets the lines. Answers the id.
    static uint64_t Share(Mode mode, RECT rect)
    {
        SimulatedDesktop::WindowSpec windowSpec;
        windowSpec.rect = rect;
        const uint64_t id = mode == Mode::Screen
                                ? reinterpret_cast<uintptr_t>(SimulatedDesktop::AddMonitor(rect, false))
                                : TESSARIL_REMOTECONTROL_HOST::FromHwnd(SimulatedDesktop::CreateTopLevelWindow(windowSpec));
        Converter().SetScreenId(id, mode == Mode::Screen);
        RecordingLogger::Clear();
        return id;
    }
    static void SetViewport(int64_t width, int64_t height) { Converter().Reset({7, 8, width, height}); }
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
    static void ExpectLog(const Lines& lines) { EXPECT_THAT(RecordingLogger::Lines(), ElementsAreArray(lines)); }

    struct Conversion { const char* label; Mode mode; RECT target; int64_t viewportWidth, viewportHeight; Point in, out; };
    // Each row on a fresh desktop and converter, with a call of its own size.
    static void ExpectConversions(const std::vector<Conversion>& rows)
    {
        for (const auto& row : rows) {
            SCOPED_TRACE(row.label);
            StartFresh();
            Share(row.mode, row.target);
            EXPECT_EQ(ToScreen(row.in, row.viewportWidth, row.viewportHeight), row.out);
        }
    }

    // Rate limiters are statics that outlive a test: each test starts far past the last one.
    FakeClock clock{[] { static int64_t start = 1'700'000'000'000; return start += 1'000'000; }()};
};

TEST_F(CoordinateConverterTest, ConvertsViewportPointsByTheWidthScaleAndTheTargetOrigin)
{
    ExpectConversions({
        {"window at (100,50) 1600 wide, viewport 800", Mode::Window, kWindow, 800, 600, {10, 20}, {120, 90}},
        {"monitor at (-1600,0) 1600 wide, viewport 800", Mode::Screen, kMonitor, 800, 450, {10, 20}, {-1580, 40}},
        {"negative halves truncate toward zero", Mode::Window, {100, 50, 900, 650}, 1600, 1200, {-5, -3}, {98, 49}},
        {"positive halves truncate toward zero", Mode::Window, {100, 50, 900, 650}, 1600, 1200, {5, 3}, {102, 51}},
        {"scale 1.5", Mode::Window, {0, 0, 1920, 1080}, 1280, 720, {101, 33}, {151, 49}},
        {"the height never enters the scale", Mode::Window, {0, 0, 1600, 900}, 800, 100, {10, 20}, {20, 40}},
    });
    Share(Mode::Screen, kMonitor);
    EXPECT_EQ(ToViewport({120, 90}), Point(120, 90)) << "screen mode: back unchanged";
    ExpectLog({});
}

TEST_F(CoordinateConverterTest, TargetIsTracedAndBeforeSetScreenIdZeroByZero)
{
    const auto size = Converter().GetLocalScreenSize();
    EXPECT_EQ(Point(size.width, size.height), Point(0, 0));
    Converter().SetScreenId(0x1'0001'0010, true);
    ExpectLog({Traced("entry", "CoordinateConverterHost"), Traced("exit", "CoordinateConverterHost"),
               Traced("entry", "GetLocalScreenSize"), Traced("exit", "GetLocalScreenSize"),
               InfoLine("screenId:18446744073709551615 false,screen_size is 0:0"), Traced("entry", "SetScreenId"),
               InfoLine("Window ID = 4295032848,true"), Traced("exit", "SetScreenId")});
    const uint64_t window = Share(Mode::Window, kWindow);
    Converter().SetScreenId(0xABCD'0000'0000 | window, false);
    EXPECT_EQ(Converter().GetLocalScreenSize().width, 1600) << "only the low 32 bits of the id name the target";
}

TEST_F(CoordinateConverterTest, ResetLogsBothSizesOrRefusesAZeroOneAndKeepsTheStoredSize)
{
    Share(Mode::Window, kWindow);
    const Lines refused = {Traced("entry", "Reset"), kRefusal, Traced("exit", "Reset")};
    const struct { const char* label; int64_t width, height; Lines lines; } rows[] = {
        {"800 x 600", 800, 600,
         {Traced("entry", "Reset"), Traced("entry", "GetLocalScreenSize"), Traced("exit", "GetLocalScreenSize"),
          InfoLine("screenId:65552 false,screen_size is 1600:900"),
          InfoLine("client_viewport_size is 800:600 , host_screen_size is 1600:900"), Traced("exit", "Reset")}},
        {"zero width", 0, 600, refused},
        {"zero height", 1600, 0, refused},
        {"both zero", 0, 0, refused},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        RecordingLogger::Clear();
        SetViewport(row.width, row.height);
        ExpectLog(row.lines);
        EXPECT_EQ(ToScreen({10, 20}, kSentinel, 600), Point(120, 90)) << "scaled against 800";
    }
}

TEST_F(CoordinateConverterTest, ViewportToScreenRefusesAZeroWidthOrHeightAndLeavesPointAndScale)
{
    Share(Mode::Screen, kMonitor);
    ToScreen({0, 0}, 800, 450);
    for (const auto& [width, height] : {Point(0, 600), Point(1600, 0)}) {
        SCOPED_TRACE(fmt::format("{} x {}", width, height));
        clock.Advance(2000);
        RecordingLogger::Clear();
        EXPECT_EQ(ToScreen({10, 20}, width, height), Point(10, 20));
        ExpectLog({Before(width, height), kRefusal});
    }
    EXPECT_EQ(ToScreen({10, 20}, kSentinel, 450), Point(-1580, 40)) << "the scale of 2 survived the refusals";
}

// Window mode: the width stored by Reset against the window's current width;
// screen mode: the last call's scale.
TEST_F(CoordinateConverterTest, SentinelSizeTakesTheStoredScaleOfEachMode)
{
    // resetWidth, lastWidth: 0 for no such call
    const struct { const char* label; Mode mode; int64_t resetWidth, lastWidth, width, height; Point out; } rows[] = {
        {"window, sentinel width", Mode::Window, 800, 0, kSentinel, 600, {130, 110}},
        {"window, sentinel height: the call's width ignored", Mode::Window, 800, 0, 1200, kSentinel, {130, 110}},
        {"window, both", Mode::Window, 800, 0, kSentinel, kSentinel, {130, 110}},
        {"window, before any Reset: refused", Mode::Window, 0, 0, kSentinel, 600, {10, 20}},
        {"screen, the last call's 2, not Reset's 4", Mode::Screen, 400, 800, kSentinel, 450, {-1580, 40}},
        {"screen, sentinel height", Mode::Screen, 400, 800, 3200, kSentinel, {-1580, 40}},
        {"screen, before any scale: the origin", Mode::Screen, 0, 0, kSentinel, 450, {-1600, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        StartFresh();
        const uint64_t id = Share(row.mode, row.mode == Mode::Window ? kWindow : kMonitor);
        if (row.resetWidth != 0) {
            SetViewport(row.resetWidth, 300);
        }
        if (row.lastWidth != 0) {
            ToScreen({10, 20}, row.lastWidth, 450);
        }
        if (row.mode == Mode::Window) {  // 2400 wide now
            SimulatedDesktop::SetWindowRect(TESSARIL_REMOTECONTROL_HOST::ToHwnd(static_cast<uint32_t>(id)),
                                            {100, 50, 2500, 950});
        }
        EXPECT_EQ(ToScreen({10, 20}, row.width, row.height), row.out);
    }
}

TEST_F(CoordinateConverterTest, AFailedTargetQueryPutsEveryPointOnTheScreenOrigin)
{
    const uint64_t window = Share(Mode::Window, kWindow);
    SimulatedDesktop::DestroyWindow(TESSARIL_REMOTECONTROL_HOST::ToHwnd(static_cast<uint32_t>(window)));
    EXPECT_EQ(ToScreen({10, 20}, 800, 600), Point(0, 0));
    EXPECT_EQ(ToViewport({10, 20}), Point(10, 20));
}

TEST_F(CoordinateConverterTest, EachConversionWritesItsLinesAtMostOncePerTwoSeconds)
{
    Share(Mode::Window, kWindow);
    const struct { const char* label; std::function<Point()> convert; Point out; Lines lines; } rows[] = {
        {"ViewportToScreen", [] { return ToScreen({10, 20}, 800, 600); }, {120, 90},
         {Before(800, 600), Traced("entry", "GetLocalScreenSize"), Traced("exit", "GetLocalScreenSize"),
          InfoLine("screenId:65552 false,screen_size is 1600:900"),
          InfoLine("client_viewport_size is 800:600 , host_screen_size is 1600:900"),
          InfoLine("After ViewportToScreen, x is 120, y is 90")}},
        {"ScreenToViewport", [] { return ToViewport({120, 90}); }, {20, 40},
         {Traced("entry", "ScreenToViewport"), Traced("exit", "ScreenToViewport"),
          InfoLine("window origin x is 20, y is 40")}},
    };
    for (const auto& row : rows) {
        for (const auto& [advance, written] : {std::pair(0, true), std::pair(1999, false), std::pair(1, true)}) {
            SCOPED_TRACE(fmt::format("{}, {} ms later", row.label, advance));
            clock.Advance(advance);
            RecordingLogger::Clear();
            EXPECT_EQ(row.convert(), row.out);
            ExpectLog(written ? row.lines : Lines{});
        }
    }
}

TEST_F(CoordinateConverterTest, TheScaleLinesOfResetAndOfEachModeAreSitesOfTheirOwn)
{
    const uint64_t window = Share(Mode::Window, kWindow);
    const auto monitor = reinterpret_cast<uintptr_t>(SimulatedDesktop::AddMonitor(kMonitor, false));
    SetViewport(1600, 900);
    const struct { const char* label; uint64_t id; bool isScreen; int64_t width; Lines lines; } steps[] = {
        {"window mode after Reset", window, false, 800,
         {Before(800, 600), InfoLine("client_viewport_size is 800:600 , host_screen_size is 1600:900"),
          InfoLine("After ViewportToScreen, x is 120, y is 90")}},
        {"screen mode", monitor, true, 400, {InfoLine("client_viewport_size is 400:600 , host_screen_size is 1600:900")}},
        {"window mode again", window, false, 800, {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.label);
        Converter().SetScreenId(step.id, step.isScreen);
        RecordingLogger::Clear();
        ToScreen({10, 20}, step.width, 600);
        ExpectLog(step.lines);
    }
}

// Run by the UBSan build with float-cast-overflow: a row that overflows an
// integer or converts an out-of-range float aborts the program.
TEST_F(CoordinateConverterTest, HostileViewerValuesSaturateInsteadOfOverflowing)
{
    ExpectConversions({
        {"INT64 max coordinates", Mode::Window, kWindow, 800, 600, {kMax, kMax}, {kMax, kMax}},
        {"INT64 min coordinates", Mode::Window, kWindow, 800, 600, {kMin, kMin}, {kMin + 100, kMin + 50}},
        {"INT64 min plus a negative origin", Mode::Screen, kMonitor, 1600, 900, {kMin, kMax}, {kMin, kMax}},
        {"viewport width 1 with a huge window", Mode::Window, {-1'000'000'000, 0, 1'000'000'000, 100}, 1, 1,
         {1'000'000'000'000, -5}, {kMax - 1'000'000'000, -10'000'000'000}},
        {"a window wider than INT32_MAX", Mode::Window, {INT32_MIN, 0, INT32_MAX, 10}, 1, 1, {7, 3},
         {int64_t{INT32_MIN} - 7, -3}},
        {"negative viewport width mirrors", Mode::Window, kWindow, -800, 600, {10, 20}, {80, 10}},
        {"negative viewport height is not used", Mode::Window, kWindow, 800, -600, {10, 20}, {120, 90}},
        {"INT64 max viewport size", Mode::Window, kWindow, kMax, kMax, {10, 20}, {100, 50}},
        {"INT64 min viewport width", Mode::Window, kWindow, kMin, 600, {10, 20}, {100, 50}},
        {"huge coordinates with the sentinel before any scale", Mode::Screen, kMonitor, kSentinel, 1, {kMax, kMin},
         {-1600, 0}},
    });
    for (const auto& [window, in, out] : {std::tuple(kWindow, Point(kMin, kMin + 10), Point(kMin, kMin)),
                                          std::tuple(RECT{-100, -50, 100, 50}, Point(kMax, kMax - 10), Point(kMax, kMax))}) {
        StartFresh();
        Share(Mode::Window, window);
        EXPECT_EQ(ToViewport(in), out) << "ScreenToViewport saturates";
    }
}

// The cursor timer thread reads the target while the command thread switches
// it. A window id read together with the screen flag (or a monitor id with the
// window flag) names nothing and would show as a 0 x 0 size.
TEST_F(CoordinateConverterTest, TheTimerThreadNeverSeesAHalfWrittenTarget)
{
    const uint64_t window = Share(Mode::Window, kWindow);
    const uint64_t monitor = Share(Mode::Screen, kMonitor);
    std::atomic<bool> stop{false};
    std::atomic<int> emptySizes{0};
    std::thread timer([&] {
        while (!stop) {
            emptySizes += Converter().GetLocalScreenSize().width == 0 ? 1 : 0;
            Point p = ToViewport({0, 0});
            (void)p;
        }
    });
    for (int i = 0; i < 2000; ++i) {
        Converter().SetScreenId(window, false);
        Converter().SetScreenId(monitor, true);
    }
    stop = true;
    timer.join();
    EXPECT_EQ(emptySizes.load(), 0);
}

}  // namespace
