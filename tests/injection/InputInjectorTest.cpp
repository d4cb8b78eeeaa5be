#include <algorithm>
#include <thread>

#include "InjectorTest.h"

namespace {

using TESSARIL_SERVER_API::KeyEvent;

const std::string kCapsTap = Send({KeyRec(0x14, false), KeyRec(0x14, true)});
const std::string kNumTap = Send({KeyRec(0x90, false), KeyRec(0x90, true)});
std::string Press(int64_t vk) { return Send({KeyRec(vk, false)}); }

KeyEvent Key(int64_t keyCode, bool pressed, int64_t capsLock = 0, bool numLock = false)
{
    TessarilKeyEvent payload = TESSARIL_HOST_APP::KeyEvent(keyCode, pressed, 0, false, numLock);
    payload.capsLock = capsLock;  // any value the viewer may send, not only 0 and 1
    return TESSARIL_SERVER_API::ToKeyEvent(payload);
}

using InputInjectorTest = InjectorTest;

TEST_F(InputInjectorTest, LockKeysFollowTheViewerOnlyBeforeAPressOfAnotherKey)
{
    const struct {
        const char* label;
        KeyEvent event;
        bool hostCaps, hostNum;
        Journal calls;
        bool caps, num;  // afterwards
    } rows[] = {
        {"caps not wanted, host on: stays on", Key(0x41, true, 0), true, false, {Press(0x41)}, true, false},
        {"any non-zero caps value counts", Key(0x41, true, -2), false, false, {kCapsTap, Press(0x41)}, true, false},
        {"both wanted, both off: caps first", Key(0x41, true, 1, true), false, false,
         {kCapsTap, kNumTap, Press(0x41)}, true, true},
        {"num wanted, host num off", Key(0x60, true, 0, true), true, false, {kNumTap, Press(0x60)}, true, true},
        {"num not wanted, host num on: stays on", Key(0x60, true, 1), true, true, {Press(0x60)}, true, true},
        {"a release never syncs", Key(0x41, false, 1, true), false, false, {Send({KeyRec(0x41, true)})}, false, false},
        {"num lock itself toggles alone", Key(VK_NUMLOCK, true, 1, true), false, true, {Press(0x90)}, false, false},
        {"caps lock above 32 bits is still caps lock", Key(0x1'0000'0014, true, 1), false, false, {Press(0x14)}, true,
         false},
        {"0x10014 is no lock key, but its low 16 bits are", Key(0x1'0014, true, 1), false, false,
         {kCapsTap, Press(0x14)}, false, false},
        {"negative code", Key(-1, true), false, false, {Press(0xffff)}, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::Reset();  // every key up: only a press of a key that is up toggles it
        SimulatedDesktop::SetKeyToggled(VK_CAPITAL, row.hostCaps);
        SimulatedDesktop::SetKeyToggled(VK_NUMLOCK, row.hostNum);
        ClearRecords();
        injector.InjectKeyEvent(row.event);
        Journal expected{kAwake};
        expected.insert(expected.end(), row.calls.begin(), row.calls.end());
        ExpectJournal(expected);
        EXPECT_EQ(std::pair(SimulatedDesktop::IsKeyToggled(VK_CAPITAL), SimulatedDesktop::IsKeyToggled(VK_NUMLOCK)),
                  std::pair(row.caps, row.num));
    }
}

// Two presses that both find Caps Lock off would both switch it, and it would
// end up off: the lock-key sync must not interleave.
TEST_F(InputInjectorTest, ConcurrentPressesSwitchCapsLockOnOnce)
{
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        SimulatedDesktop::SetKeyToggled(VK_CAPITAL, false);
        ClearRecords();
        std::thread other([this] { injector.InjectKeyEvent(Key(0x41, true, 1)); });
        injector.InjectKeyEvent(Key(0x42, true, 1));
        other.join();
        ASSERT_TRUE(SimulatedDesktop::IsKeyToggled(VK_CAPITAL));
        const auto journal = SimulatedDesktop::Journal();
        ASSERT_EQ(std::count(journal.begin(), journal.end(), kCapsTap), 1);
    }
}

// Sequence 0 restarts the ordering, and so do Init and UnInit.
TEST_F(InputInjectorTest, OutOfOrderEventsAreDroppedUntilSequenceZeroOrUnInitRestarts)
{
    for (const int64_t seq : {5, 7, 6, 0, 6}) {
        Inject(On1080p(100 * seq + 1, 10).Seq(seq));
    }
    injector.UnInit();
    Inject(On1080p().Seq(1));
    ExpectJournal({kAwake, Send({Rec(17101, 607, 0, 0x8001)}), kAwake, Send({Rec(23927, 607, 0, 0x8001)}),  // 5, 7
                   kAwake, Send({Rec(34, 607, 0, 0x8001)}), kAwake, Send({Rec(20514, 607, 0, 0x8001)}),     // 0, 6
                   kAwake, kCentre});
}

// Without absolute moves the delta goes out, converted like a point, the
// shared window's origin included.
TEST_F(InputInjectorTest, OnePixelDisplayTakesTheConvertedRelativeMove)
{
    ShareWindow(CreateWindowAt({100, 50, 900, 650}));
    SimulatedDesktop::SetPrimaryScreenSize(1, 1);
    Inject(Viewer(10, 10, 800, 600).Delta(5, -7));
    ExpectJournal({kAwake, Send({Rec(105, 43, 0, 0x0001)})});
}

}  // namespace
