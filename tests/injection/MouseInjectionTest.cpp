#include "InjectorTest.h"

namespace {

class MouseInjectionTest : public InjectorTest {
protected:
    struct Row {
        const char* label;
        MouseEvent event;
        std::string call;
    };
    // Each row's event, injected alone: its one SendInput call.
    void ExpectEachCall(const std::vector<Row>& rows)
    {
        for (const auto& row : rows) {
            SCOPED_TRACE(row.label);
            ClearRecords();
            injector.InjectMouseEvent(row.event);
            ExpectJournal({kAwake, row.call});
        }
    }
    static MouseEventBuilder Click(int64_t type, int64_t button, bool pressed)
    {
        return MouseEventBuilder().Button(type, button, pressed);
    }
};

TEST_F(MouseInjectionTest, MoveIsNormalisedAgainstThePrimaryDisplay)
{
    const struct { const char* label; int64_t x, y; std::string record; std::pair<LONG, LONG> cursor; } rows[] = {
        {"centre", 960, 540, kMove, {960, 540}},
        {"near the origin", 100, 200, Rec(3413, 12136, 0, 0x8001), {100, 200}},
        {"last pixel", 1919, 1079, Rec(65501, 65474, 0, 0x8001), {1919, 1079}},
        {"beyond the display, passed on", 2500, 2000, Rec(85332, 121361, 0, 0x8001), {1919, 1079}},
        {"left of the display, truncated toward zero", -5, 10, Rec(-170, 607, 0, 0x8001), {0, 10}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ClearRecords();
        injector.InjectMouseEvent(MouseEventBuilder().At(row.x, row.y));
        ExpectJournal({kAwake, Send({row.record})});
        EXPECT_EQ(Cursor(), row.cursor);
    }
}

TEST_F(MouseInjectionTest, ButtonEventTypesAddTheButtonRecordAfterTheMove)
{
    ExpectEachCall({
        {"middle down", Click(1, 2, true), Send({kMove, Btn(0x0020)})},
        {"middle up", Click(2, 2, false), Send({kMove, Btn(0x0040)})},
        {"right down", Click(1, 3, true), Send({kMove, Btn(0x0008)})},
        {"right up", Click(2, 3, false), Send({kMove, Btn(0x0010)})},
        {"first X button down", Click(1, 4, true), Send({kMove, Btn(0x0080, 1)})},
        {"first X button up", Click(2, 4, false), Send({kMove, Btn(0x0100, 1)})},
        {"second X button down", Click(1, 5, true), Send({kMove, Btn(0x0080, 2)})},
        {"second X button up", Click(2, 5, false), Send({kMove, Btn(0x0100, 2)})},
        {"button 6 is the left one", Click(1, 6, true), Send({kMove, Btn(0x0002)})},
        {"button 0 is the left one", Click(2, 0, false), Send({kMove, Btn(0x0004)})},
        {"button -1 is the left one", Click(1, -1, true), Send({kMove, Btn(0x0002)})},
        {"type 2 with pressed set is a press", Click(2, 3, true), Send({kMove, Btn(0x0008)})},
        {"type 0 moves only", Click(0, 3, true), kCentre},
        {"type 3 moves only", Click(3, 1, true), kCentre},
        {"type -1 moves only", Click(-1, 1, false), kCentre},
    });
}

TEST_F(MouseInjectionTest, SwappedButtonsInjectTheOtherButton)
{
    SimulatedDesktop::SetSwapButtons(true);
    ExpectEachCall({
        {"left press becomes right", Click(1, 1, true), Send({kMove, Btn(0x0008)})},
        {"left release becomes right", Click(1, 1, false), Send({kMove, Btn(0x0010)})},
        {"right press becomes left", Click(1, 3, true), Send({kMove, Btn(0x0002)})},
        {"right release becomes left", Click(1, 3, false), Send({kMove, Btn(0x0004)})},
        {"middle stays", Click(1, 2, true), Send({kMove, Btn(0x0020)})},
        {"unknown buttons stay left", Click(1, 7, true), Send({kMove, Btn(0x0002)})},
    });
}

TEST_F(MouseInjectionTest, WheelStepsAreTruncatedAndInvertedVerticallyInTheMovesCall)
{
    ExpectEachCall({
        {"vertical step down", MouseEventBuilder().Wheel(0, -120.0), Send({kMove, Btn(0x0800, 120)})},
        {"vertical fraction is no step", MouseEventBuilder().Wheel(0, 0.7), kCentre},
        {"horizontal step left", MouseEventBuilder().Wheel(-120.0, 0), Send({kMove, Btn(0x1000, -120)})},
        {"horizontal fraction is no step", MouseEventBuilder().Wheel(-0.9, 0), kCentre},
        {"no scaling by WHEEL_DELTA", MouseEventBuilder().Wheel(119.9, 3.0),
         Send({kMove, Btn(0x1000, 119), Btn(0x0800, -3)})},
        {"button and both wheels: four records", MouseEventBuilder().At(100, 200).Button(1, 3, true).Wheel(240, -360),
         Send({Rec(3413, 12136, 0, 0x8001), Btn(0x0008), Btn(0x1000, 240), Btn(0x0800, 360)})},
    });
}

TEST_F(MouseInjectionTest, DisplayOfOnePixelFallsBackToTheConvertedRelativeMove)
{
    ShareWindow(CreateWindowAt({100, 50, 900, 650}));
    for (const auto& [cx, cy] : {std::pair(1, 1080), std::pair(1920, 1), std::pair(0, 0)}) {
        SCOPED_TRACE(fmt::format("display {}x{}", cx, cy));
        SimulatedDesktop::SetPrimaryScreenSize(cx, cy);
        ClearRecords();
        // The delta is converted like a point, origin included.
        injector.InjectMouseEvent(MouseEventBuilder().At(10, 10).Delta(5, -7).Viewport(800, 600));
        ExpectJournal({kAwake, Send({Rec(105, 43, 0, 0x0001)})});
    }
}

TEST_F(MouseInjectionTest, OutOfOrderEventsAreDroppedUntilSequenceZeroRestarts)
{
    for (const int64_t seq : {5, 7, 6, 0, 6}) {
        injector.InjectMouseEvent(MouseEventBuilder().At(100 * seq + 1, 10).Seq(seq));
    }
    ExpectJournal({kAwake, Send({Rec(17101, 607, 0, 0x8001)}), kAwake, Send({Rec(23927, 607, 0, 0x8001)}),  // 5, 7
                   kAwake, Send({Rec(34, 607, 0, 0x8001)}), kAwake, Send({Rec(20514, 607, 0, 0x8001)})});  // 0, 6
    ExpectLog({InfoLine("Inject a MouseEvent"), WarningLine("Rcv a mouse event before")});
}

TEST_F(MouseInjectionTest, SequenceOneWaitsForInitAndUnInitRestartsTheOrdering)
{
    TESSARIL_REMOTECONTROL_HOST::InputInjector fresh;
    fresh.InjectMouseEvent(MouseEventBuilder().Seq(1));
    fresh.InjectMouseEvent(MouseEventBuilder().Seq(2));
    fresh.UnInit();
    fresh.InjectMouseEvent(MouseEventBuilder().Seq(1));
    ExpectJournal({kAwake, kCentre, kAwake, kCentre});
    ExpectLog({InfoLine("Inject a MouseEvent"), WarningLine("Rcv a mouse event before")});
}

TEST_F(MouseInjectionTest, CursorOnRowOrColumnZeroIsLoggedAtItsStartAndEndOnly)
{
    for (const auto& [x, y, type] : std::vector<std::array<int64_t, 3>>{
             {0, 500, 0}, {5, 0, 1}, {0, 0, 2}, {10, 20, 2}, {30, 40, 0}, {700, 0, 0}}) {
        injector.InjectMouseEvent(MouseEventBuilder().At(x, y).Button(type, 1, false));
    }
    ExpectLog({InfoLine("Inject a MouseEvent"),
               InfoLine("Rcv Mouse Cursor abnormal start :x is 0, y is 500, event type is 0"),
               InfoLine("Rcv Mouse Cursor abnormal end :x is 10, y is 20, event type is 2"),
               InfoLine("Rcv Mouse Cursor abnormal start :x is 700, y is 0, event type is 0")});
}

}  // namespace
