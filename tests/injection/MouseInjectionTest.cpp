#include <cmath>
#include <limits>

#include "InjectorTest.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class MouseInjectionTest : public InjectorTest {
protected:
    void SetUp() override
    {
        InjectorTest::SetUp();
        ShareScreen();
    }
};

TEST_F(MouseInjectionTest, MoveIsNormalisedAgainstThePrimaryDisplay)
{
    const struct {
        const char* label;
        int64_t x, y;
        const char* expectedCall;
        POINT expectedCursor;
    } rows[] = {
        {"centre", 960, 540, "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 -> 1", {960, 540}},
        {"near the origin", 100, 200, "SendInput mouse dx=3413 dy=12136 data=0 flags=0x8001 -> 1", {100, 200}},
        {"last pixel", 1919, 1079, "SendInput mouse dx=65501 dy=65474 data=0 flags=0x8001 -> 1", {1919, 1079}},
        {"beyond the display, passed on", 2500, 2000, "SendInput mouse dx=85332 dy=121361 data=0 flags=0x8001 -> 1",
         {1919, 1079}},
        {"left of the display, truncated toward zero", -5, 10,
         "SendInput mouse dx=-170 dy=607 data=0 flags=0x8001 -> 1", {0, 10}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ClearRecords();
        injector.InjectMouseEvent(MouseEventBuilder().At(row.x, row.y));
        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, row.expectedCall));
        const POINT cursor = SimulatedDesktop::CursorPosition();
        EXPECT_EQ(cursor.x, row.expectedCursor.x);
        EXPECT_EQ(cursor.y, row.expectedCursor.y);
    }
}

TEST_F(MouseInjectionTest, OnlyButtonEventTypesAddAButtonRecordAfterTheMove)
{
    const struct {
        const char* label;
        int64_t eventType, button;
        bool pressed;
        const char* expectedButton;  // nullptr: the move alone
    } rows[] = {
        {"left down", 1, 1, true, "mouse dx=0 dy=0 data=0 flags=0x0002"},
        {"left up", 2, 1, false, "mouse dx=0 dy=0 data=0 flags=0x0004"},
        {"middle down", 1, 2, true, "mouse dx=0 dy=0 data=0 flags=0x0020"},
        {"middle up", 2, 2, false, "mouse dx=0 dy=0 data=0 flags=0x0040"},
        {"right down", 1, 3, true, "mouse dx=0 dy=0 data=0 flags=0x0008"},
        {"right up", 2, 3, false, "mouse dx=0 dy=0 data=0 flags=0x0010"},
        {"first X button down", 1, 4, true, "mouse dx=0 dy=0 data=1 flags=0x0080"},
        {"first X button up", 2, 4, false, "mouse dx=0 dy=0 data=1 flags=0x0100"},
        {"second X button down", 1, 5, true, "mouse dx=0 dy=0 data=2 flags=0x0080"},
        {"second X button up", 2, 5, false, "mouse dx=0 dy=0 data=2 flags=0x0100"},
        {"button 6 is the left one", 1, 6, true, "mouse dx=0 dy=0 data=0 flags=0x0002"},
        {"button 0 is the left one", 2, 0, false, "mouse dx=0 dy=0 data=0 flags=0x0004"},
        {"button -1 is the left one", 1, -1, true, "mouse dx=0 dy=0 data=0 flags=0x0002"},
        {"type 2 with pressed set is a press", 2, 3, true, "mouse dx=0 dy=0 data=0 flags=0x0008"},
        {"type 0 moves only", 0, 3, true, nullptr},
        {"type 3 moves only", 3, 1, true, nullptr},
        {"type -1 moves only", -1, 1, false, nullptr},
    };
    const std::string move = "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ClearRecords();
        injector.InjectMouseEvent(MouseEventBuilder().Button(row.eventType, row.button, row.pressed));
        const std::string call = row.expectedButton != nullptr ? move + " | " + row.expectedButton + " -> 2"
                                                                : move + " -> 1";
        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, call));
    }
}

TEST_F(MouseInjectionTest, SwappedButtonsInjectTheOtherButton)
{
    SimulatedDesktop::SetSwapButtons(true);
    const struct {
        const char* label;
        int64_t button;
        bool pressed;
        const char* expectedButton;
    } rows[] = {
        {"left press becomes right", 1, true, "flags=0x0008"},
        {"left release becomes right", 1, false, "flags=0x0010"},
        {"right press becomes left", 3, true, "flags=0x0002"},
        {"right release becomes left", 3, false, "flags=0x0004"},
        {"middle stays", 2, true, "flags=0x0020"},
        {"unknown buttons stay left", 7, true, "flags=0x0002"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ClearRecords();
        injector.InjectMouseEvent(MouseEventBuilder().Button(1, row.button, row.pressed));
        EXPECT_THAT(SimulatedDesktop::Journal(),
                    ElementsAre(kAwake, std::string("SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 | "
                                                    "mouse dx=0 dy=0 data=0 ") +
                                            row.expectedButton + " -> 2"));
    }
}

TEST_F(MouseInjectionTest, WheelStepsAreTruncatedAndTheVerticalOneInverted)
{
    const struct {
        const char* label;
        double deltaX, deltaY;
        const char* expectedCall;
    } rows[] = {
        {"vertical step up", 0.0, 120.0,
         "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 | mouse dx=0 dy=0 data=-120 flags=0x0800 -> 2"},
        {"vertical step down", 0.0, -120.0,
         "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 | mouse dx=0 dy=0 data=120 flags=0x0800 -> 2"},
        {"vertical fraction is no step", 0.0, 0.7, "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 -> 1"},
        {"horizontal step left", -120.0, 0.0,
         "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 | mouse dx=0 dy=0 data=-120 flags=0x1000 -> 2"},
        {"horizontal fraction is no step", -0.9, 0.0, "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 -> 1"},
        {"no scaling by WHEEL_DELTA", 119.9, 3.0,
         "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 | mouse dx=0 dy=0 data=119 flags=0x1000 | "
         "mouse dx=0 dy=0 data=-3 flags=0x0800 -> 3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ClearRecords();
        injector.InjectMouseEvent(MouseEventBuilder().Wheel(row.deltaX, row.deltaY));
        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, row.expectedCall));
    }
}

TEST_F(MouseInjectionTest, ButtonEventWithBothWheelsSendsFourRecordsInOneCall)
{
    injector.InjectMouseEvent(MouseEventBuilder().At(100, 200).Button(1, 3, true).Wheel(240.0, -360.0));

    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre(kAwake, "SendInput mouse dx=3413 dy=12136 data=0 flags=0x8001"
                                    " | mouse dx=0 dy=0 data=0 flags=0x0008"
                                    " | mouse dx=0 dy=0 data=240 flags=0x1000"
                                    " | mouse dx=0 dy=0 data=360 flags=0x0800 -> 4"));
}

TEST_F(MouseInjectionTest, DisplayOfOnePixelFallsBackToTheConvertedRelativeMove)
{
    const HWND shared = CreateWindowAt({100, 50, 900, 650});
    ShareWindow(shared);
    const struct {
        const char* label;
        int cx, cy;
    } rows[] = {{"one pixel wide", 1, 1080}, {"one pixel high", 1920, 1}, {"no display", 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::SetPrimaryScreenSize(row.cx, row.cy);
        ClearRecords();
        // The delta is converted like a point, origin included.
        injector.InjectMouseEvent(MouseEventBuilder().At(10, 10).Delta(5, -7).Viewport(800, 600));
        EXPECT_THAT(SimulatedDesktop::Journal(),
                    ElementsAre(kAwake, "SendInput mouse dx=105 dy=43 data=0 flags=0x0001 -> 1"));
    }
}

TEST_F(MouseInjectionTest, OutOfOrderEventsAreDroppedUntilSequenceZeroRestarts)
{
    for (const int64_t seq : {5, 7, 6, 0, 6}) {
        injector.InjectMouseEvent(MouseEventBuilder().At(100 * seq + 1, 10).Seq(seq));
    }

    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre(kAwake, "SendInput mouse dx=17101 dy=607 data=0 flags=0x8001 -> 1",  // 5
                            kAwake, "SendInput mouse dx=23927 dy=607 data=0 flags=0x8001 -> 1",  // 7
                            kAwake, "SendInput mouse dx=34 dy=607 data=0 flags=0x8001 -> 1",     // 0
                            kAwake, "SendInput mouse dx=20514 dy=607 data=0 flags=0x8001 -> 1")); // 6
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("Inject a MouseEvent"), WarningLine("Rcv a mouse event before")));
}

TEST_F(MouseInjectionTest, SequenceOneWaitsForInitAndUnInitRestartsTheOrdering)
{
    TESSARIL_REMOTECONTROL_HOST::InputInjector fresh;
    fresh.InjectMouseEvent(MouseEventBuilder().Seq(1));
    fresh.InjectMouseEvent(MouseEventBuilder().Seq(2));
    fresh.UnInit();
    fresh.InjectMouseEvent(MouseEventBuilder().Seq(1));

    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre(kAwake, "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 -> 1", kAwake,
                            "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 -> 1"));
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("Inject a MouseEvent"), WarningLine("Rcv a mouse event before")));
}

TEST_F(MouseInjectionTest, CursorOnRowOrColumnZeroIsLoggedAtItsStartAndEndOnly)
{
    const struct {
        int64_t x, y, eventType;
    } positions[] = {{0, 500, 0}, {5, 0, 1}, {0, 0, 2}, {10, 20, 2}, {30, 40, 0}, {700, 0, 0}};
    for (const auto& at : positions) {
        injector.InjectMouseEvent(MouseEventBuilder().At(at.x, at.y).Button(at.eventType, 1, false));
    }

    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("Inject a MouseEvent"),
                            InfoLine("Rcv Mouse Cursor abnormal start :x is 0, y is 500, event type is 0"),
                            InfoLine("Rcv Mouse Cursor abnormal end :x is 10, y is 20, event type is 2"),
                            InfoLine("Rcv Mouse Cursor abnormal start :x is 700, y is 0, event type is 0")));
}

TEST_F(MouseInjectionTest, SendInputInsertingFewerRecordsIsLoggedAndTheWindowsStillRestored)
{
    const HWND listed = CreateWindowAt({0, 0, 400, 300}, WS_EX_TOOLWINDOW);
    injector.UpdateIgnoreWindow(ByHandle(listed), true);
    SimulatedDesktop::LimitSendInput(1);
    ClearRecords();

    injector.InjectMouseEvent(MouseEventBuilder().Button(1, 1, true));

    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre(ExStyleLine(listed, 0x000800a0, WS_EX_TOOLWINDOW), kAwake,
                            "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 | "
                            "mouse dx=0 dy=0 data=0 flags=0x0002 -> 1 error=5",
                            ExStyleLine(listed, WS_EX_TOOLWINDOW, 0x000800a0)));
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("Inject a MouseEvent"), ErrorLine("Failed to inject a mouse event")));
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(listed), WS_EX_TOOLWINDOW);
}

TEST_F(MouseInjectionTest, TouchEventDoesNothing)
{
    injector.InjectTouchEvent(TESSARIL_SERVER_API::TouchRecord{1, 2, {3, 4, 5, 6, 7}});

    EXPECT_THAT(SimulatedDesktop::Journal(), IsEmpty());
    EXPECT_THAT(RecordingLogger::Lines(), IsEmpty());
}

// Rows of untrusted values: each is injected (or refused by the converter with
// its own line) and never undefined behaviour, which the asan build checks.
TEST_F(MouseInjectionTest, HostileValuesAreInjectedWithoutUndefinedBehaviour)
{
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");
    const struct {
        const char* label;
        TESSARIL_SERVER_API::MouseEvent event;
        const char* expectedCall;
        std::vector<LoggedLine> expectedLines;
    } rows[] = {
        {"NaN wheels are no steps", MouseEventBuilder().Wheel(nan, nan),
         "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 -> 1", {}},
        {"infinite wheels are the largest steps", MouseEventBuilder().Wheel(kInf, kInf),
         "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 | mouse dx=0 dy=0 data=2147483647 flags=0x1000 | "
         "mouse dx=0 dy=0 data=-2147483647 flags=0x0800 -> 3",
         {}},
        {"negative infinite wheels", MouseEventBuilder().Wheel(-kInf, -kInf),
         "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 | mouse dx=0 dy=0 data=-2147483647 flags=0x1000 | "
         "mouse dx=0 dy=0 data=2147483647 flags=0x0800 -> 3",
         {}},
        {"huge wheels", MouseEventBuilder().Wheel(1e300, -1e300),
         "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 | mouse dx=0 dy=0 data=2147483647 flags=0x1000 | "
         "mouse dx=0 dy=0 data=2147483647 flags=0x0800 -> 3",
         {}},
        {"largest coordinates", MouseEventBuilder().At(kMax, kMax).Delta(kMax, kMax),
         "SendInput mouse dx=2147483647 dy=2147483647 data=0 flags=0x8001 -> 1", {}},
        {"smallest coordinates", MouseEventBuilder().At(kMin, kMin).Delta(kMin, kMin),
         "SendInput mouse dx=-2147483648 dy=-2147483648 data=0 flags=0x8001 -> 1", {}},
        {"negative viewport mirrors the point", MouseEventBuilder().At(960, 540).Viewport(-1920, -1080),
         "SendInput mouse dx=-32767 dy=-32767 data=0 flags=0x8001 -> 1", {}},
        {"huge viewport shrinks the point to the origin", MouseEventBuilder().At(960, 540).Viewport(kMax, kMax),
         "SendInput mouse dx=0 dy=0 data=0 flags=0x8001 -> 1", {}},
        {"smallest viewport mirrors and shrinks", MouseEventBuilder().At(kMax, 540).Viewport(kMin, kMin),
         "SendInput mouse dx=-65534 dy=0 data=0 flags=0x8001 -> 1", {}},
        {"zero viewport leaves the point unconverted", MouseEventBuilder().At(960, 540).Viewport(0, 1080),
         "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 -> 1",
         {ErrorLine("Client viewport area size must be Non-Zero!"),
          ErrorLine("Client viewport area size must be Non-Zero!")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ClearRecords();
        injector.InjectMouseEvent(row.event);
        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, row.expectedCall));
        std::vector<LoggedLine> lines = RecordingLogger::Lines();
        std::erase(lines, InfoLine("Inject a MouseEvent"));
        std::erase_if(lines, [](const LoggedLine& line) { return line.message.starts_with("Rcv Mouse Cursor"); });
        EXPECT_THAT(lines, ElementsAreArray(row.expectedLines));
    }
}

}  // namespace
