#include <functional>

#include "AllocationCounter.h"
#include "InjectorTest.h"

namespace {

constexpr int kEvents = 300;

// The simulated desktop keeps a journal of every call, and that journal
// allocates. What the injector itself allocates is the difference between a
// round of injections and the same Win32 calls made straight to the desktop.
class InjectionAllocationTest : public InjectorTest {
protected:
    void InjectRound()
    {
        for (int i = 0; i < kEvents; ++i) {
            injector.InjectMouseEvent(MouseEventBuilder().At(100 + i, 200).Seq(i + 1));
            injector.InjectKeyEvent(Key(0x41, i % 2 == 0));
        }
    }

    // The calls InjectRound makes, as a caller of the Win32 API would make them.
    static void CallTheDesktopDirectly()
    {
        for (int i = 0; i < kEvents; ++i) {
            INPUT inputs[2]{};
            inputs[0].type = INPUT_MOUSE;
            inputs[0].mi.dx = static_cast<LONG>(65535.0 / kScreenWidth * (100 + i) + 0.5);
            inputs[0].mi.dy = static_cast<LONG>(65535.0 / kScreenHeight * 200 + 0.5);
            inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            inputs[1].type = INPUT_KEYBOARD;
            inputs[1].ki.wVk = 0x41;
            inputs[1].ki.dwFlags = i % 2 == 0 ? 0 : KEYEVENTF_KEYUP;
            for (INPUT& input : inputs) {
                SetThreadExecutionState(ES_SYSTEM_REQUIRED);
                SendInput(1, &input, sizeof(INPUT));
            }
        }
    }

    static long AllocationsOf(const std::function<void()>& work)
    {
        const long before = AllocationCounter::Count();
        work();
        return AllocationCounter::Count() - before;
    }
};

TEST_F(InjectionAllocationTest, RateLimitedInjectionInScreenModeAllocatesNothingOfItsOwn)
{
    // Writes this clock time's rate-limited lines and grows the journal to its
    // size, so that neither shows in the counts below.
    InjectRound();
    injector.UnInit();  // the second round numbers its events from 1 again
    const Journal injected = SimulatedDesktop::Journal();
    ClearRecords();

    const long desktopOnly = AllocationsOf(CallTheDesktopDirectly);
    ASSERT_EQ(SimulatedDesktop::Journal(), injected);
    SimulatedDesktop::ClearJournal();
    const long injection = AllocationsOf([this] { InjectRound(); });

    EXPECT_EQ(injection, desktopOnly);
    EXPECT_EQ(SimulatedDesktop::Journal(), injected);
    EXPECT_THAT(RecordingLogger::Lines(), IsEmpty());
}

}  // namespace
