#include <thread>

#include "InjectorTest.h"
#include "JournalQueries.h"

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
    static long Count(const std::string& prefix) { return CountStartingWith(SimulatedDesktop::Journal(), prefix); }
};

TEST_F(InjectorThreadTest, IgnoreListChangesDuringInjectionLeaveEveryWindowAsItWas)
{
    const std::array<LONG, 4> exStyles = {0, WS_EX_TOOLWINDOW, WS_EX_APPWINDOW, WS_EX_WINDOWEDGE};
    std::array<HWND, 4> windows{};
    for (size_t i = 0; i < windows.size(); ++i) {
        windows[i] = CreateWindowAt({0, 0, 100, 100}, exStyles[i]);
    }
    std::thread injecting = InjectMouseEvents();
    for (int i = 0; i < kRounds; ++i) {
        const std::array<uint8_t, 4> bytes = BytesOf(windows[i % 4]);
        injector.UpdateIgnoreWindow(ByHandle(windows[i % 4]), true);
        injector.UpdateIgnoreWindow(ByBytes(bytes.data(), 4), true);
        injector.UpdateIgnoreWindow(ByHandle(windows[(i + 1) % 4]), false);
        if (i % 50 == 49) {
            injector.ClearIgnoreWindow();
        }
    }
    injecting.join();

    for (size_t i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(SimulatedDesktop::ExStyleOf(windows[i]), exStyles[i]) << i;
    }
    EXPECT_EQ(Count("SendInput "), kRounds);
    EXPECT_EQ(Count("SetWindowLongA ") % 2, 0) << "every change before a SendInput is undone after it";
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
    EXPECT_EQ(Count("SendInput "), kRounds);
}

// Two presses that both find Caps Lock off would both switch it, and it would
// end up off: the lock-key sync must not interleave.
TEST_F(InjectorThreadTest, ConcurrentPressesSwitchCapsLockOnOnce)
{
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        SimulatedDesktop::SetKeyToggled(VK_CAPITAL, false);
        ClearRecords();
        std::thread other([this] { injector.InjectKeyEvent(Key(0x41, true, 1)); });
        injector.InjectKeyEvent(Key(0x42, true, 1));
        other.join();
        ASSERT_TRUE(SimulatedDesktop::IsKeyToggled(VK_CAPITAL));
        ASSERT_EQ(Count("SendInput key vk=0x14"), 1);
    }
}

}  // namespace
