#include <array>
#include <functional>

#include "AllocationCounter.h"
#include "InjectorTest.h"

namespace {

using ::testing::IsEmpty;

constexpr int kEvents = 300;

// The simulated desktop keeps a journal of every call, and that journal
// allocates. What the injector itself allocates is the difference between a
// round of injections and the same Win32 calls made straight to the desktop.
class InjectionAllocationTest : public InjectorTest {
protected:
    void SetUp() override
    {
        InjectorTest::SetUp();
        ShareScreen();
    }

    void InjectRound()
    {
        for (int i = 0; i < kEvents; ++i) {
            injector.InjectMouseEvent(MouseEventBuilder().At(100 + i, 200).Seq(i + 1));
            injector.InjectKeyEvent(i % 2 == 0 ? KeyPress(0x41) : KeyRelease(0x41));
        }
    }

    // The calls InjectRound makes, as a caller of the Win32 API would make them.
    static void CallTheDesktopDirectly()
    {
        for (int i = 0; i < kEvents; ++i) {
            INPUT move{};
            move.type = INPUT_MOUSE;
            move.mi.dx = Normalised(100 + i, kScreenWidth);
            move.mi.dy = Normalised(200, kScreenHeight);
            move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            SetThreadExecutionState(ES_SYSTEM_REQUIRED);
            SendInput(1, &move, sizeof(INPUT));
            INPUT key{};
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = 0x41;
            key.ki.dwFlags = i % 2 == 0 ? 0 : KEYEVENTF_KEYUP;
            SetThreadExecutionState(ES_SYSTEM_REQUIRED);
            SendInput(1, &key, sizeof(INPUT));
        }
    }

    static LONG Normalised(int64_t coordinate, int64_t extent)
    {
        return static_cast<LONG>(65535.0 / static_cast<double>(extent) * static_cast<double>(coordinate) + 0.5);
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
    const std::vector<std::string> injected = SimulatedDesktop::Journal();
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
