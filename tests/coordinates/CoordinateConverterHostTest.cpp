#include "coordinates/CoordinateConverterHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <limits>
#include <ostream>
#include <thread>
#include <vector>

#include "FakeClock.h"
#include "RecordingLogger.h"
#include "injection/WindowUtilities.h"
#include "simulated_desktop.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost;
using TESSARIL_REMOTECONTROL_HOST::ScreenSize;

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kSentinel = TESSARIL_VIEWPORT_SIZE_SENTINEL;
constexpr RECT kWindowAt100x50 = {100, 50, 1700, 950};
constexpr RECT kMonitorLeftOfPrimary = {-1600, 0, 0, 900};
const std::string kRefusal = "Client viewport area size must be Non-Zero!";

struct Point {
    int64_t x;
    int64_t y;
    bool operator==(const Point&) const = default;
};

void PrintTo(const Point& point, std::ostream* out) { *out << "(" << point.x << ", " << point.y << ")"; }

std::string Entry(const std::string& operation)
{
    return "entry TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost::" + operation;
}

std::string Exit(const std::string& operation)
{
    return "exit TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost::" + operation + ", cost : 0";
}

// The rate limiters are function-local statics that outlive a test: each test's
// clock starts far beyond the previous one's, so every site may write again.
int64_t NextTestStart()
{
    static int64_t start = 1'700'000'000'000;
    start += 1'000'000;
    return start;
}

enum class Mode { Window, Screen };

struct ConversionRow {
    const char* label;
    Mode mode;
    RECT target;
    int64_t viewportWidth;
    int64_t viewportHeight;
    Point in;
    Point out;
};

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

    // Creates the window or monitor, hands it to the converter and forgets the
    // lines this wrote. Answers the id.
    static uint64_t Share(Mode mode, RECT rect)
    {
        uint64_t id = 0;
        if (mode == Mode::Screen) {
            id = reinterpret_cast<uintptr_t>(SimulatedDesktop::AddMonitor(rect, false));
        } else {
            SimulatedDesktop::WindowSpec spec;
            spec.className = "Notepad";
            spec.rect = rect;
            id = TESSARIL_REMOTECONTROL_HOST::FromHwnd(SimulatedDesktop::CreateTopLevelWindow(spec));
        }
        Converter().SetScreenId(id, mode == Mode::Screen);
        RecordingLogger::Clear();
        return id;
    }

    static void SetViewport(int64_t width, int64_t height)
    {
        const TESSARIL_SERVER_API::ClientViewportInfo info{7, 8, width, height};
        Converter().Reset(info);
    }

    static Point ToScreen(Point point, int64_t viewportWidth, int64_t viewportHeight)
    {
        Converter().ViewportToScreen(point.x, point.y, viewportWidth, viewportHeight);
        return point;
    }

    static Point ToViewport(Point point)
    {
        Converter().ScreenToViewport(point.x, point.y);
        return point;
    }

    // Each row on a fresh desktop and converter, with a call of its own size.
    template <size_t N>
    static void ExpectConversions(const ConversionRow (&rows)[N])
    {
        for (const auto& row : rows) {
            SCOPED_TRACE(row.label);
            StartFresh();
            Share(row.mode, row.target);
            EXPECT_EQ(ToScreen(row.in, row.viewportWidth, row.viewportHeight), row.out);
        }
    }

    FakeClock clock{NextTestStart()};
};

TEST_F(CoordinateConverterTest, ConvertsViewportPointsByTheWidthScaleAndTheTargetOrigin)
{
    const ConversionRow rows[] = {
        {"window at (100,50) 1600 wide, viewport 800", Mode::Window, kWindowAt100x50, 800, 600, {10, 20}, {120, 90}},
        {"monitor at (-1600,0) 1600 wide, viewport 800", Mode::Screen, kMonitorLeftOfPrimary, 800, 450, {10, 20},
         {-1580, 40}},
        {"negative halves truncate toward zero", Mode::Window, {100, 50, 900, 650}, 1600, 1200, {-5, -3}, {98, 49}},
        {"positive halves truncate toward zero", Mode::Window, {100, 50, 900, 650}, 1600, 1200, {5, 3}, {102, 51}},
        {"scale 1.5", Mode::Window, {0, 0, 1920, 1080}, 1280, 720, {101, 33}, {151, 49}},
        {"the height never enters the scale", Mode::Window, {0, 0, 1600, 900}, 800, 100, {10, 20}, {20, 40}},
    };
    ExpectConversions(rows);
}

TEST_F(CoordinateConverterTest, ScreenToViewportInScreenModeReturnsItsInputAndWritesNothing)
{
    Share(Mode::Screen, kMonitorLeftOfPrimary);
    EXPECT_EQ(ToViewport({120, 90}), (Point{120, 90}));
    EXPECT_THAT(RecordingLogger::Lines(), IsEmpty());
}

TEST_F(CoordinateConverterTest, BeforeSetScreenIdTheSizeIsZeroByZero)
{
    const ScreenSize size = Converter().GetLocalScreenSize();
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine(Entry("CoordinateConverterHost")), InfoLine(Exit("CoordinateConverterHost")),
                            InfoLine(Entry("GetLocalScreenSize")), InfoLine(Exit("GetLocalScreenSize")),
                            InfoLine("screenId:18446744073709551615 false,screen_size is 0:0")));
}

TEST_F(CoordinateConverterTest, SetScreenIdIsTracedAndLogsTheIdAndTheMode)
{
    Converter();
    RecordingLogger::Clear();
    Converter().SetScreenId(0x1'0001'0010, true);
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine(Entry("SetScreenId")), InfoLine("Window ID = 4295032848,true"),
                            InfoLine(Exit("SetScreenId"))));
}

TEST_F(CoordinateConverterTest, OnlyTheLow32BitsOfTheIdNameTheTarget)
{
    const uint64_t window = Share(Mode::Window, kWindowAt100x50);
    Converter().SetScreenId(0xABCD'0000'0000 | window, false);
    EXPECT_EQ(Converter().GetLocalScreenSize().width, 1600);
}

TEST_F(CoordinateConverterTest, ResetIsTracedAndLogsBothSizes)
{
    Share(Mode::Window, kWindowAt100x50);
    SetViewport(800, 600);
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine(Entry("Reset")), InfoLine(Entry("GetLocalScreenSize")),
                            InfoLine(Exit("GetLocalScreenSize")), InfoLine("screenId:65552 false,screen_size is 1600:900"),
                            InfoLine("client_viewport_size is 800:600 , host_screen_size is 1600:900"),
                            InfoLine(Exit("Reset"))));
}

TEST_F(CoordinateConverterTest, ResetRefusesAZeroWidthOrHeightAndKeepsTheStoredSize)
{
    Share(Mode::Window, kWindowAt100x50);
    SetViewport(800, 600);
    const struct {
        const char* label;
        int64_t width;
        int64_t height;
    } rows[] = {{"zero width", 0, 600}, {"zero height", 1600, 0}, {"both zero", 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        RecordingLogger::Clear();
        SetViewport(row.width, row.height);
        EXPECT_THAT(RecordingLogger::Lines(),
                    ElementsAre(InfoLine(Entry("Reset")), ErrorLine(kRefusal), InfoLine(Exit("Reset"))));
        EXPECT_EQ(ToScreen({10, 20}, kSentinel, 600), (Point{120, 90})) << "still scaled against 800";
    }
}

TEST_F(CoordinateConverterTest, ViewportToScreenRefusesAZeroWidthOrHeightAndLeavesPointAndScale)
{
    Share(Mode::Screen, kMonitorLeftOfPrimary);
    ToScreen({0, 0}, 800, 450);
    const struct {
        const char* label;
        int64_t width;
        int64_t height;
        const char* before;
    } rows[] = {
        {"zero width", 0, 600, "Before ViewportToScreen, x is 10, y is 20, vp_width is 0, vp_height is 600"},
        {"zero height", 1600, 0, "Before ViewportToScreen, x is 10, y is 20, vp_width is 1600, vp_height is 0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        clock.Advance(2000);
        RecordingLogger::Clear();
        EXPECT_EQ(ToScreen({10, 20}, row.width, row.height), (Point{10, 20}));
        EXPECT_THAT(RecordingLogger::Lines(), ElementsAre(InfoLine(row.before), ErrorLine(kRefusal)));
    }
    EXPECT_EQ(ToScreen({10, 20}, kSentinel, 450), (Point{-1580, 40})) << "the scale of 2 survived the refusals";
}

TEST_F(CoordinateConverterTest, SentinelInWindowModeTakesTheStoredWidthAgainstTheCurrentWindowWidth)
{
    const uint64_t window = Share(Mode::Window, kWindowAt100x50);
    SetViewport(800, 600);
    SimulatedDesktop::SetWindowRect(TESSARIL_REMOTECONTROL_HOST::ToHwnd(static_cast<uint32_t>(window)),
                                    {100, 50, 2500, 950});
    const struct {
        const char* label;
        int64_t width;
        int64_t height;
    } rows[] = {
        {"sentinel width", kSentinel, 600},
        {"sentinel height, the call's width ignored", 1200, kSentinel},
        {"both", kSentinel, kSentinel},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(ToScreen({10, 20}, row.width, row.height), (Point{130, 110})) << "2400 / 800";
    }
}

TEST_F(CoordinateConverterTest, SentinelInScreenModeReusesTheLastScale)
{
    Share(Mode::Screen, kMonitorLeftOfPrimary);
    SetViewport(400, 300);
    ASSERT_EQ(ToScreen({10, 20}, 800, 450), (Point{-1580, 40}));
    EXPECT_EQ(ToScreen({10, 20}, kSentinel, 450), (Point{-1580, 40})) << "2 from the last call, not 4 from Reset";
    EXPECT_EQ(ToScreen({10, 20}, 3200, kSentinel), (Point{-1580, 40}));
}

TEST_F(CoordinateConverterTest, SentinelInScreenModeBeforeAnyScaleLandsOnTheOrigin)
{
    Share(Mode::Screen, kMonitorLeftOfPrimary);
    EXPECT_EQ(ToScreen({10, 20}, kSentinel, 450), (Point{-1600, 0}));
}

TEST_F(CoordinateConverterTest, SentinelInWindowModeBeforeAnyResetIsRefusedLikeAZeroSize)
{
    Share(Mode::Window, kWindowAt100x50);
    SetViewport(0, 600);
    RecordingLogger::Clear();
    EXPECT_EQ(ToScreen({10, 20}, kSentinel, 600), (Point{10, 20}));
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("Before ViewportToScreen, x is 10, y is 20, vp_width is 99999999, vp_height is 600"),
                            ErrorLine(kRefusal)));
}

TEST_F(CoordinateConverterTest, AFailedTargetQueryPutsEveryPointOnTheScreenOrigin)
{
    const uint64_t window = Share(Mode::Window, kWindowAt100x50);
    SimulatedDesktop::DestroyWindow(TESSARIL_REMOTECONTROL_HOST::ToHwnd(static_cast<uint32_t>(window)));
    EXPECT_EQ(ToScreen({10, 20}, 800, 600), (Point{0, 0}));
    EXPECT_EQ(ToViewport({10, 20}), (Point{10, 20}));
}

TEST_F(CoordinateConverterTest, ViewportToScreenWritesEachOfItsLinesAtMostOncePerTwoSeconds)
{
    Share(Mode::Window, kWindowAt100x50);
    const std::vector<LoggedLine> allLines = {
        InfoLine("Before ViewportToScreen, x is 10, y is 20, vp_width is 800, vp_height is 600"),
        InfoLine(Entry("GetLocalScreenSize")),
        InfoLine(Exit("GetLocalScreenSize")),
        InfoLine("screenId:65552 false,screen_size is 1600:900"),
        InfoLine("client_viewport_size is 800:600 , host_screen_size is 1600:900"),
        InfoLine("After ViewportToScreen, x is 120, y is 90"),
    };
    const struct {
        const char* label;
        int64_t advance;
        std::vector<LoggedLine> lines;
    } steps[] = {
        {"the first call", 0, allLines},
        {"1999 ms later", 1999, {}},
        {"2000 ms after the first", 1, allLines},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.label);
        clock.Advance(step.advance);
        RecordingLogger::Clear();
        EXPECT_EQ(ToScreen({10, 20}, 800, 600), (Point{120, 90}));
        EXPECT_THAT(RecordingLogger::Lines(), ElementsAreArray(step.lines));
    }
}

TEST_F(CoordinateConverterTest, TheScaleLinesOfResetAndOfEachModeAreSitesOfTheirOwn)
{
    const uint64_t window = Share(Mode::Window, kWindowAt100x50);
    const auto monitor = reinterpret_cast<uintptr_t>(SimulatedDesktop::AddMonitor(kMonitorLeftOfPrimary, false));
    SetViewport(1600, 900);
    const struct {
        const char* label;
        uint64_t id;
        bool isScreen;
        int64_t viewportWidth;
        std::vector<LoggedLine> lines;
    } steps[] = {
        {"window mode after Reset", window, false, 800,
         {InfoLine("Before ViewportToScreen, x is 10, y is 20, vp_width is 800, vp_height is 600"),
          InfoLine("client_viewport_size is 800:600 , host_screen_size is 1600:900"),
          InfoLine("After ViewportToScreen, x is 120, y is 90")}},
        {"screen mode", monitor, true, 400, {InfoLine("client_viewport_size is 400:600 , host_screen_size is 1600:900")}},
        {"window mode again", window, false, 800, {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.label);
        Converter().SetScreenId(step.id, step.isScreen);
        RecordingLogger::Clear();
        ToScreen({10, 20}, step.viewportWidth, 600);
        EXPECT_THAT(RecordingLogger::Lines(), ElementsAreArray(step.lines));
    }
}

TEST_F(CoordinateConverterTest, ScreenToViewportTracesAndLogsTheOriginAtMostOncePerTwoSeconds)
{
    Share(Mode::Window, kWindowAt100x50);
    const std::vector<LoggedLine> allLines = {
        InfoLine(Entry("ScreenToViewport")),
        InfoLine(Exit("ScreenToViewport")),
        InfoLine("window origin x is 20, y is 40"),
    };
    const struct {
        const char* label;
        int64_t advance;
        std::vector<LoggedLine> lines;
    } steps[] = {{"the first call", 0, allLines}, {"1999 ms later", 1999, {}}, {"2000 ms after the first", 1, allLines}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.label);
        clock.Advance(step.advance);
        RecordingLogger::Clear();
        EXPECT_EQ(ToViewport({120, 90}), (Point{20, 40}));
        EXPECT_THAT(RecordingLogger::Lines(), ElementsAreArray(step.lines));
    }
}

// Run by the UBSan build with float-cast-overflow: a row that overflows an
// integer or converts an out-of-range float aborts the program.
TEST_F(CoordinateConverterTest, HostileViewerValuesSaturateInsteadOfOverflowing)
{
    const ConversionRow rows[] = {
        {"INT64 max coordinates", Mode::Window, kWindowAt100x50, 800, 600, {kMax, kMax}, {kMax, kMax}},
        {"INT64 min coordinates", Mode::Window, kWindowAt100x50, 800, 600, {kMin, kMin}, {kMin + 100, kMin + 50}},
        {"INT64 min plus a negative origin", Mode::Screen, kMonitorLeftOfPrimary, 1600, 900, {kMin, kMax},
         {kMin, kMax}},
        {"viewport width 1 with a huge window", Mode::Window, {-1'000'000'000, 0, 1'000'000'000, 100}, 1, 1,
         {1'000'000'000'000, -5}, {kMax - 1'000'000'000, -10'000'000'000}},
        {"a window wider than INT32_MAX", Mode::Window, {INT32_MIN, 0, INT32_MAX, 10}, 1, 1, {7, 3},
         {int64_t{INT32_MIN} - 7, -3}},
        {"negative viewport width mirrors", Mode::Window, kWindowAt100x50, -800, 600, {10, 20}, {80, 10}},
        {"negative viewport height is not used", Mode::Window, kWindowAt100x50, 800, -600, {10, 20}, {120, 90}},
        {"INT64 max viewport size", Mode::Window, kWindowAt100x50, kMax, kMax, {10, 20}, {100, 50}},
        {"INT64 min viewport width", Mode::Window, kWindowAt100x50, kMin, 600, {10, 20}, {100, 50}},
        {"huge coordinates with the sentinel before any scale", Mode::Screen, kMonitorLeftOfPrimary, kSentinel, 1,
         {kMax, kMin}, {-1600, 0}},
    };
    ExpectConversions(rows);
}

TEST_F(CoordinateConverterTest, ScreenToViewportSaturatesAtTheLimits)
{
    const struct {
        const char* label;
        RECT window;
        Point in;
        Point out;
    } rows[] = {
        {"INT64 min left of a positive origin", kWindowAt100x50, {kMin, kMin + 10}, {kMin, kMin}},
        {"INT64 max right of a negative origin", {-100, -50, 100, 50}, {kMax, kMax - 10}, {kMax, kMax}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        StartFresh();
        Share(Mode::Window, row.window);
        EXPECT_EQ(ToViewport(row.in), row.out);
    }
}

// The cursor timer thread reads the target while the command thread switches
// it. A window id read together with the screen flag (or a monitor id with the
// window flag) names nothing and would show as a 0 x 0 size.
TEST_F(CoordinateConverterTest, TheTimerThreadNeverSeesAHalfWrittenTarget)
{
    const uint64_t window = Share(Mode::Window, kWindowAt100x50);
    const uint64_t monitor = Share(Mode::Screen, kMonitorLeftOfPrimary);
    std::atomic<bool> stop{false};
    std::atomic<int> emptySizes{0};
    std::thread timer([&] {
        while (!stop) {
            const ScreenSize size = Converter().GetLocalScreenSize();
            emptySizes += size.width == 0 ? 1 : 0;
            int64_t x = 0;
            int64_t y = 0;
            Converter().ScreenToViewport(x, y);
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
