#include "InjectorTest.h"

namespace {

class MouseInjectionTest : public InjectorTest {
protected:
    static MouseEventBuilder Click(int64_t type, int64_t button, bool pressed)
    {
        return MouseEventBuilder().Button(type, button, pressed);
    }
};

TEST_F(MouseInjectionTest, MoveIsNormalisedAgainstThePrimaryDisplay)
{
    const struct { const char* label; int64_t x, y; std::string record; std::pair<LONG, LONG> cursor; } rows[] = {
        {"centre", 960, 540, kMove, {960, 540}},
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

// The button record follows the move (event types 1 and 2 only), the wheels
// after it, truncated and the vertical one inverted, all in the move's call.
TEST_F(MouseInjectionTest, ButtonAndWheelRecordsFollowTheMoveInOneCall)
{
    const struct { const char* label; bool swapped; MouseEvent event; std::string call; } rows[] = {
        {"middle down", false, Click(1, 2, true), Send({kMove, Btn(0x0020)})},
        {"middle up", false, Click(2, 2, false), Send({kMove, Btn(0x0040)})},
        {"right down", false, Click(1, 3, true), Send({kMove, Btn(0x0008)})},
        {"right up", false, Click(2, 3, false), Send({kMove, Btn(0x0010)})},
        {"first X button down", false, Click(1, 4, true), Send({kMove, Btn(0x0080, 1)})},
        {"second X button up", false, Click(2, 5, false), Send({kMove, Btn(0x0100, 2)})},
        {"button 6 is the left one", false, Click(1, 6, true), Send({kMove, Btn(0x0002)})},
        {"button 0 is the left one", false, Click(2, 0, false), Send({kMove, Btn(0x0004)})},
        {"type 2 with pressed set is a press", false, Click(2, 3, true), Send({kMove, Btn(0x0008)})},
        {"type 0 moves only", false, Click(0, 3, true), kCentre},
        {"type 3 moves only", false, Click(3, 1, true), kCentre},
        {"swapped: left press becomes right", true, Click(1, 1, true), Send({kMove, Btn(0x0008)})},
        {"swapped: right release becomes left", true, Click(1, 3, false), Send({kMove, Btn(0x0004)})},
        {"swapped: middle stays", true, Click(1, 2, true), Send({kMove, Btn(0x0020)})},
        {"swapped: unknown buttons stay left", true, Click(1, 7, true), Send({kMove, Btn(0x0002)})},
        {"vertical fraction is no step", false, MouseEventBuilder().Wheel(0, 0.7), kCentre},
        {"no scaling by WHEEL_DELTA", false, MouseEventBuilder().Wheel(119.9, 3.0),
         Send({kMove, Btn(0x1000, 119), Btn(0x0800, -3)})},
        {"button and both wheels: four records", false, MouseEventBuilder().At(100, 200).Button(1, 3, true).Wheel(240, -360),
         Send({Rec(3413, 12136, 0, 0x8001), Btn(0x0008), Btn(0x1000, 240), Btn(0x0800, 360)})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::SetSwapButtons(row.swapped);
        ClearRecords();
        injector.InjectMouseEvent(row.event);
        ExpectJournal({kAwake, row.call});
    }
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

// Sequence 0 restarts the ordering, and so do Init and UnInit.
TEST_F(MouseInjectionTest, OutOfOrderEventsAreDroppedUntilSequenceZeroOrUnInitRestarts)
{
    for (const int64_t seq : {5, 7, 6, 0, 6}) {
        injector.InjectMouseEvent(MouseEventBuilder().At(100 * seq + 1, 10).Seq(seq));
    }
    injector.UnInit();
    injector.InjectMouseEvent(MouseEventBuilder().Seq(1));
    ExpectJournal({kAwake, Send({Rec(17101, 607, 0, 0x8001)}), kAwake, Send({Rec(23927, 607, 0, 0x8001)}),  // 5, 7
                   kAwake, Send({Rec(34, 607, 0, 0x8001)}), kAwake, Send({Rec(20514, 607, 0, 0x8001)}),     // 0, 6
                   kAwake, kCentre});
    ExpectLog({InfoLine("Inject a MouseEvent"), WarningLine("Rcv a mouse event before")});
}

}  // namespace
