#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "platform_win32.h"
#include "simulated_desktop.h"

// What the plugin's tests rely on: the journal, SendInput's effect on the cursor
// and the lock keys, the z-order and the extended styles.
namespace {

using ::testing::ElementsAre;

INPUT Mouse(LONG dx, LONG dy, DWORD flags, DWORD data = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    std::tie(input.mi.dx, input.mi.dy, input.mi.mouseData, input.mi.dwFlags) = std::tuple(dx, dy, data, flags);
    return input;
}

INPUT Key(WORD vk, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    std::tie(input.ki.wVk, input.ki.dwFlags) = std::tuple(vk, flags);
    return input;
}

UINT Send(std::vector<INPUT> records) { return SendInput(static_cast<UINT>(records.size()), records.data(), sizeof(INPUT)); }

// What a caller of SendInput computes for an absolute move to pixel x.
LONG Normalise(LONG x, int extent) { return static_cast<LONG>(std::trunc(65535.0 / extent * x + 0.5)); }

HWND Window(LONG exStyle = 0) { return SimulatedDesktop::CreateTopLevelWindow({.className = "", .title = "", .exStyle = exStyle}); }

std::vector<HWND> Visited(BOOL (*enumerate)(HWND, WNDENUMPROC, LPARAM), HWND parent, size_t limit = SIZE_MAX)
{
    struct Collector { std::vector<HWND> seen; size_t limit; } collector{{}, limit};
    const auto visit = [](HWND window, LPARAM param) -> BOOL {
        auto* self = reinterpret_cast<Collector*>(param);
        self->seen.push_back(window);
        return self->seen.size() < self->limit;
    };
    enumerate(parent, visit, reinterpret_cast<LPARAM>(&collector));
    return collector.seen;
}

BOOL TopLevels(HWND, WNDENUMPROC visit, LPARAM param) { return EnumWindows(visit, param); }

class SimulatedDesktopTest : public ::testing::Test {
protected:
    void SetUp() override { SimulatedDesktop::Reset(); }
    static std::pair<LONG, LONG> Cursor() { return {SimulatedDesktop::CursorPosition().x, SimulatedDesktop::CursorPosition().y}; }
};

// A record size other than the platform's (28 bytes on 32-bit targets) is refused unread.
TEST_F(SimulatedDesktopTest, JournalDecodesEveryRecordExactly)
{
    INPUT unusual[3] = {Mouse(0, 0, MOUSEEVENTF_WHEEL, static_cast<DWORD>(-120)), Key('A', 0), {}};
    unusual[1].ki.time = 77;
    unusual[1].ki.dwExtraInfo = 0xbeef;
    unusual[2].type = INPUT_HARDWARE;
    unusual[2].hi = {0x0100, 1, 2};
    Send({Mouse(32768, 21845, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE), Mouse(0, 0, MOUSEEVENTF_LEFTDOWN)});
    Send({Key(VK_CAPITAL, 0), Key(VK_CAPITAL, KEYEVENTF_KEYUP)});
    SimulatedDesktop::LimitSendInput(2, ERROR_ACCESS_DENIED);
    SendInput(3, unusual, sizeof(INPUT));
    EXPECT_EQ(SendInput(1, unusual, static_cast<int>(sizeof(INPUT)) - 4), 0u);
    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre("SendInput mouse dx=32768 dy=21845 data=0 flags=0x8001 | mouse dx=0 dy=0 data=0 flags=0x0002 -> 2",
                            "SendInput key vk=0x14 scan=0 flags=0x0000 | key vk=0x14 scan=0 flags=0x0002 -> 2",
                            "SendInput mouse dx=0 dy=0 data=-120 flags=0x0800 | key vk=0x41 scan=0 flags=0x0000 time=77 "
                            "extra=0xbeef | hardware msg=0x0100 wParamL=1 wParamH=2 -> 2 error=5",
                            "SendInput cInputs=1 cbSize=" + std::to_string(sizeof(INPUT) - 4) + " -> 0 error=87"));
}

// Absolute moves are normalised against the primary screen, all moves confined to the monitors.
TEST_F(SimulatedDesktopTest, MovesLandOnTheMonitors)
{
    const DWORD absolute = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const struct { const char* label; INPUT record; std::pair<LONG, LONG> cursor; } rows[] = {
        {"centre", Mouse(Normalise(960, 1920), Normalise(540, 1080), absolute), {960, 540}},
        {"beyond the right edge", Mouse(Normalise(2500, 1920), Normalise(2000, 1080), absolute), {1919, 1079}},
        {"on the monitor left of the primary", Mouse(Normalise(-1280, 1920), Normalise(100, 1080), absolute),
         {-1280, 100}},
        {"relative move from (100, 100), confined", Mouse(-30, 5000, MOUSEEVENTF_MOVE), {70, 1079}},
        {"a button record without the move flag", Mouse(500, -500, MOUSEEVENTF_LEFTDOWN), {100, 100}},
    };
    SimulatedDesktop::AddMonitor({-1280, 0, 0, 1024}, false);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::SetCursorPosition({100, 100});
        ASSERT_EQ(Send({row.record}), 1u);
        EXPECT_EQ(Cursor(), row.cursor);
    }
}

TEST_F(SimulatedDesktopTest, LockKeysToggleOnKeyDown)
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

// EnumWindows goes top to bottom, EnumChildWindows depth first, both stop when the callback says so.
TEST_F(SimulatedDesktopTest, ZOrderKeepsTopmostWindowsAboveNewAndRaisedOnes)
{
    const HWND topmost = Window(WS_EX_TOPMOST);
    const HWND bottom = Window();
    const HWND top = Window();
    SimulatedDesktop::BringToTop(bottom);
    SimulatedDesktop::BringToTop(top);
    const HWND lower = SimulatedDesktop::CreateChildWindow(top, {});
    const HWND upper = SimulatedDesktop::CreateChildWindow(top, {});
    const HWND grandchild = SimulatedDesktop::CreateChildWindow(upper, {});
    EXPECT_THAT(Visited(TopLevels, nullptr), ElementsAre(topmost, top, bottom));
    EXPECT_THAT(Visited(EnumChildWindows, top), ElementsAre(upper, grandchild, lower));
    EXPECT_THAT(Visited(EnumChildWindows, top, 2), ElementsAre(upper, grandchild));
    EXPECT_EQ(GetWindow(bottom, GW_HWNDPREV), top);
    EXPECT_EQ(GetWindow(topmost, GW_HWNDPREV), nullptr);
}

TEST_F(SimulatedDesktopTest, SetWindowLongAReturnsThePreviousStyleKeepsTopmostAndIsJournaled)
{
    const HWND window = Window();
    const HWND topmost = Window(WS_EX_TOPMOST);
    SetWindowLongA(topmost, GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(topmost), WS_EX_LAYERED | WS_EX_TOPMOST);
    SimulatedDesktop::ClearJournal();

    EXPECT_EQ(SetWindowLongA(window, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TRANSPARENT), 0);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(SetWindowLongA(window, GWL_EXSTYLE, 0), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(SetWindowLongA(reinterpret_cast<HWND>(0x4242), GWL_EXSTYLE, 7), 0);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_WINDOW_HANDLE});
    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre("SetWindowLongA 0x10010 GWL_EXSTYLE 0x00080020 -> 0x00000000",
                            "SetWindowLongA 0x10010 GWL_EXSTYLE 0x00000000 -> 0x00080020",
                            "SetWindowLongA 0x4242 GWL_EXSTYLE 0x00000007 -> 0x00000000 error=1400"));
}

}  // namespace
