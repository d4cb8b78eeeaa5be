#include <algorithm>
#include <array>
#include <thread>

#include "InjectorTest.h"

namespace {

constexpr int kRounds = 400;

class InjectorThreadTest : public InjectorTest {
protected:
    // Mouse events on a thread of their own, as the message-channel host delivers them.
    std::thread InjectMouseEvents()
    {
        return std::thread([this] {
            for (int i = 0; i < kRounds; ++i) {
                injector.InjectMouseEvent(MouseEventBuilder().At(100 + i, 200));
            }
        });
    }

    static int CountStartingWith(const std::vector<std::string>& lines, const std::string& prefix)
    {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [&](const std::string& line) { return line.starts_with(prefix); }));
    }
};

TEST_F(InjectorThreadTest, IgnoreListChangesDuringInjectionLeaveEveryWindowAsItWas)
{
    ShareScreen();
    const std::array<LONG, 4> exStyles = {0, WS_EX_TOOLWINDOW, WS_EX_APPWINDOW, WS_EX_WINDOWEDGE};
    std::array<HWND, 4> windows{};
    for (size_t i = 0; i < windows.size(); ++i) {
        windows[i] = CreateWindowAt({0, 0, 100, 100}, exStyles[i]);
    }

    std::thread injecting = InjectMouseEvents();
    for (int i = 0; i < kRounds; ++i) {
        const HWND window = windows[i % windows.size()];
        const std::array<uint8_t, 4> bytes = BytesOf(window);
        injector.UpdateIgnoreWindow(ByHandle(window), true);
        injector.UpdateIgnoreWindow(ByBytes(bytes.data(), 4), true);
        injector.UpdateIgnoreWindow(ByHandle(windows[(i + 1) % windows.size()]), false);
        if (i % 50 == 49) {
            injector.ClearIgnoreWindow();
        }
    }
    injecting.join();

    for (size_t i = 0; i < windows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(SimulatedDesktop::ExStyleOf(windows[i]), exStyles[i]);
    }
    const std::vector<std::string> journal = SimulatedDesktop::Journal();
    EXPECT_EQ(CountStartingWith(journal, "SendInput "), kRounds);
    // Every change made before a SendInput is undone after it, one for one.
    EXPECT_EQ(CountStartingWith(journal, "SetWindowLongA ") % 2, 0);
}

TEST_F(InjectorThreadTest, WindowIdChangesDuringInjectionLeaveEveryWindowAsItWas)
{
    const HWND first = CreateWindowAt({100, 50, 900, 650});
    const HWND second = CreateWindowAt({1000, 50, 1800, 650});
    const HWND overFirst = CreateWindowAt({0, 0, 300, 300}, WS_EX_TOOLWINDOW);
    const HWND overSecond = CreateWindowAt({1500, 0, 1900, 300}, WS_EX_APPWINDOW);
    ShareWindow(first);

    std::thread injecting = InjectMouseEvents();
    for (int i = 0; i < kRounds; ++i) {
        injector.ResetWindowId(reinterpret_cast<uintptr_t>(i % 2 == 0 ? second : first));
        injector.UpdateIgnoreWindow(ByHandle(overFirst), i % 2 == 0);
    }
    injecting.join();

    EXPECT_EQ(SimulatedDesktop::ExStyleOf(overFirst), WS_EX_TOOLWINDOW);
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(overSecond), WS_EX_APPWINDOW);
    EXPECT_EQ(CountStartingWith(SimulatedDesktop::Journal(), "SendInput "), kRounds);
}

// Two presses that both find Caps Lock off would both switch it, and it would
// end up off: the lock-key sync must not interleave.
TEST_F(InjectorThreadTest, ConcurrentPressesSwitchCapsLockOnOnce)
{
    ShareScreen();
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        SimulatedDesktop::SetKeyToggled(VK_CAPITAL, false);
        ClearRecords();
        std::thread other([this] { injector.InjectKeyEvent(KeyPress(0x41, 1)); });
        injector.InjectKeyEvent(KeyPress(0x42, 1));
        other.join();
        ASSERT_TRUE(SimulatedDesktop::IsKeyToggled(VK_CAPITAL));
        ASSERT_EQ(CountStartingWith(SimulatedDesktop::Journal(), "SendInput key vk=0x14"), 1);
    }
}

}  // namespace
