#include <gmock/gmock.h>

#include <cmath>

#include "DesktopTest.h"

namespace {

using ::testing::ElementsAre;
using InputInjectionTest = DesktopTest;

// What a caller of SendInput computes for an absolute move to pixel x.
LONG Normalise(LONG x, int extent) { return static_cast<LONG>(std::trunc(65535.0 / extent * x + 0.5)); }

INPUT Mouse(LONG dx, LONG dy, DWORD flags, DWORD data = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    return input;
}

INPUT Key(WORD vk, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    return input;
}

UINT Send(std::vector<INPUT> records)
{
    return SendInput(static_cast<UINT>(records.size()), records.data(), sizeof(INPUT));
}

void ExpectCursorAt(LONG x, LONG y)
{
    const POINT at = SimulatedDesktop::CursorPosition();
    EXPECT_EQ(at.x, x);
    EXPECT_EQ(at.y, y);
}

TEST_F(InputInjectionTest, AbsoluteMovesAreNormalisedAgainstThePrimaryScreen)
{
    const struct {
        const char* label;
        bool monitorOnTheLeft;
        LONG x, y, expectedX, expectedY;
    } rows[] = {
        {"centre", false, 960, 540, 960, 540},
        {"origin", false, 0, 0, 0, 0},
        {"first pixel", false, 1, 1, 1, 1},
        {"last pixel", false, 1919, 1079, 1919, 1079},
        {"beyond the right edge is confined", false, 2500, 2000, 1919, 1079},
        {"left of the primary without a monitor there", false, -5, 10, 0, 10},
        {"on a monitor left of the primary", true, -1280, 100, -1280, 100},
        {"last pixel of the left monitor", true, -1, 1023, -1, 1023},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::Reset();
        if (row.monitorOnTheLeft) {
            SimulatedDesktop::AddMonitor({-1280, 0, 0, 1024}, false);
        }
        ASSERT_EQ(Send({Mouse(Normalise(row.x, 1920), Normalise(row.y, 1080), MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE)}), 1u);
        ExpectCursorAt(row.expectedX, row.expectedY);
    }
}

TEST_F(InputInjectionTest, EveryPixelSurvivesTheNormalisation)
{
    for (int width : {1366, 1920, 2560, 3840}) {
        SimulatedDesktop::SetPrimaryScreenSize(width, 1080);
        int misses = 0;
        for (LONG x = 0; x < width; ++x) {
            Send({Mouse(Normalise(x, width), 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE)});
            misses += SimulatedDesktop::CursorPosition().x != x;
        }
        EXPECT_EQ(misses, 0) << "width " << width;
    }
}

TEST_F(InputInjectionTest, RelativeMovesAddToThePositionAndAreConfined)
{
    SimulatedDesktop::SetCursorPosition({100, 100});
    Send({Mouse(-30, 50, MOUSEEVENTF_MOVE)});
    ExpectCursorAt(70, 150);
    Send({Mouse(-500, 5000, MOUSEEVENTF_MOVE)});
    ExpectCursorAt(0, 1079);
    SCOPED_TRACE("a record without MOUSEEVENTF_MOVE does not move");
    Send({Mouse(500, -500, MOUSEEVENTF_LEFTDOWN)});
    ExpectCursorAt(0, 1079);
}

TEST_F(InputInjectionTest, LockKeysToggleOnKeyDown)
{
    for (WORD vk : {WORD{VK_CAPITAL}, WORD{VK_NUMLOCK}}) {
        SCOPED_TRACE(vk);
        EXPECT_EQ(GetKeyState(vk), 0);
        Send({Key(vk, 0), Key(vk, 0)});
        EXPECT_EQ(static_cast<WORD>(GetKeyState(vk)), 0xFF81) << "down and toggled once, the repeat is no new press";
        Send({Key(vk, KEYEVENTF_KEYUP)});
        EXPECT_EQ(GetKeyState(vk), 1);
        Send({Key(vk, 0), Key(vk, KEYEVENTF_KEYUP)});
        EXPECT_FALSE(SimulatedDesktop::IsKeyToggled(vk));
    }
}

// A record size other than the platform's (28 bytes on 32-bit targets) is refused
// unread, so that the system passing a wrong size shows in every journal.
TEST_F(InputInjectionTest, SendInputRefusesAWrongRecordSizeBeforeReadingRecords)
{
    INPUT record = Key('A', 0);
    EXPECT_EQ(SendInput(1, &record, static_cast<int>(sizeof(INPUT)) - 4), 0u);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
    EXPECT_FALSE(SimulatedDesktop::IsKeyDown('A'));
    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre("SendInput cInputs=1 cbSize=" + std::to_string(sizeof(INPUT) - 4) + " -> 0 error=87"));
}

TEST_F(InputInjectionTest, LimitedSendInputAppliesOnlyTheFirstRecords)
{
    SimulatedDesktop::LimitSendInput(1);
    EXPECT_EQ(Send({Mouse(32768, 32768, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE), Key(VK_CAPITAL, 0)}), 1u);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
    ExpectCursorAt(960, 540);
    EXPECT_FALSE(SimulatedDesktop::IsKeyToggled(VK_CAPITAL));
    const auto calls = SimulatedDesktop::SendInputCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].records.size(), 2u);
    EXPECT_EQ(calls[0].result, 1u);

    SimulatedDesktop::LimitSendInput(-1);
    EXPECT_EQ(Send({Key(VK_CAPITAL, 0)}), 1u);
    EXPECT_TRUE(SimulatedDesktop::IsKeyToggled(VK_CAPITAL));
}

TEST_F(InputInjectionTest, WindowDestroyedAtTheNextSendInputGoesBeforeItsRecordsAndOnlyOnce)
{
    const HWND window = SimulatedDesktop::CreateTopLevelWindow({});
    SimulatedDesktop::DestroyWindowAtNextSendInput(window);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(Send({Key('A', 0)}), 1u);
    EXPECT_FALSE(IsWindow(window));
    const HWND next = SimulatedDesktop::CreateTopLevelWindow({});
    EXPECT_EQ(Send({Key('A', KEYEVENTF_KEYUP)}), 1u);
    EXPECT_TRUE(IsWindow(next));
}

TEST_F(InputInjectionTest, JournalDecodesEveryRecordExactly)
{
    Send({Mouse(32768, 21845, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE), Mouse(0, 0, MOUSEEVENTF_LEFTDOWN)});
    Send({Key(VK_CAPITAL, 0), Key(VK_CAPITAL, KEYEVENTF_KEYUP)});
    INPUT unusual[3] = {Mouse(0, 0, MOUSEEVENTF_WHEEL, static_cast<DWORD>(-120)), Key('A', 0), {}};
    unusual[1].ki.time = 77;
    unusual[1].ki.dwExtraInfo = 0xbeef;
    unusual[2].type = INPUT_HARDWARE;
    unusual[2].hi = {0x0100, 1, 2};
    SimulatedDesktop::LimitSendInput(2, ERROR_ACCESS_DENIED);
    SendInput(3, unusual, sizeof(INPUT));
    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre("SendInput mouse dx=32768 dy=21845 data=0 flags=0x8001 | mouse dx=0 dy=0 data=0 flags=0x0002 -> 2",
                            "SendInput key vk=0x14 scan=0 flags=0x0000 | key vk=0x14 scan=0 flags=0x0002 -> 2",
                            "SendInput mouse dx=0 dy=0 data=-120 flags=0x0800 | key vk=0x41 scan=0 flags=0x0000 time=77 "
                            "extra=0xbeef | hardware msg=0x0100 wParamL=1 wParamH=2 -> 2 error=5"));
}

}  // namespace
