#include "InjectorTest.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using TESSARIL_SERVER_API::KeyEvent;

constexpr const char* kCapsTap = "SendInput key vk=0x14 scan=0 flags=0x0000 | key vk=0x14 scan=0 flags=0x0002 -> 2";
constexpr const char* kNumTap = "SendInput key vk=0x90 scan=0 flags=0x0000 | key vk=0x90 scan=0 flags=0x0002 -> 2";

using KeyboardInjectionTest = InjectorTest;

TEST_F(KeyboardInjectionTest, LockKeysFollowTheViewerOnlyBeforeAPressOfAnotherKey)
{
    const struct {
        const char* label;
        KeyEvent event;
        bool hostCaps, hostNum;
        std::vector<std::string> expectedJournal;
        bool expectedCaps, expectedNum;
    } rows[] = {
        {"caps wanted, host off", KeyPress(0x41, 1), false, false,
         {kAwake, kCapsTap, "SendInput key vk=0x41 scan=0 flags=0x0000 -> 1"}, true, false},
        {"caps not wanted, host on: stays on", KeyPress(0x41, 0), true, false,
         {kAwake, "SendInput key vk=0x41 scan=0 flags=0x0000 -> 1"}, true, false},
        {"any non-zero caps value counts", KeyPress(0x41, -2), false, false,
         {kAwake, kCapsTap, "SendInput key vk=0x41 scan=0 flags=0x0000 -> 1"}, true, false},
        {"both wanted, both off: caps first", KeyPress(0x41, 1, true), false, false,
         {kAwake, kCapsTap, kNumTap, "SendInput key vk=0x41 scan=0 flags=0x0000 -> 1"}, true, true},
        {"both wanted, both on", KeyPress(0x41, 1, true), true, true,
         {kAwake, "SendInput key vk=0x41 scan=0 flags=0x0000 -> 1"}, true, true},
        {"num wanted, host num off", KeyPress(0x60, 0, true), true, false,
         {kAwake, kNumTap, "SendInput key vk=0x60 scan=0 flags=0x0000 -> 1"}, true, true},
        {"num not wanted, host num on: stays on", KeyPress(0x60, 1, false), true, true,
         {kAwake, "SendInput key vk=0x60 scan=0 flags=0x0000 -> 1"}, true, true},
        {"a release never syncs", KeyRelease(0x41, 1, true), false, false,
         {kAwake, "SendInput key vk=0x41 scan=0 flags=0x0002 -> 1"}, false, false},
        {"caps lock itself toggles alone", KeyPress(VK_CAPITAL, 1, true), false, false,
         {kAwake, "SendInput key vk=0x14 scan=0 flags=0x0000 -> 1"}, true, false},
        {"num lock itself toggles alone", KeyPress(VK_NUMLOCK, 1, true), false, true,
         {kAwake, "SendInput key vk=0x90 scan=0 flags=0x0000 -> 1"}, false, false},
        {"caps lock above 32 bits is still caps lock", KeyPress(0x1'0000'0014, 1), false, false,
         {kAwake, "SendInput key vk=0x14 scan=0 flags=0x0000 -> 1"}, true, false},
        {"0x10014 is no lock key, but its low 16 bits are", KeyPress(0x1'0014, 1), false, false,
         {kAwake, kCapsTap, "SendInput key vk=0x14 scan=0 flags=0x0000 -> 1"}, false, false},
        {"negative code", KeyPress(-1), false, false,
         {kAwake, "SendInput key vk=0xffff scan=0 flags=0x0000 -> 1"}, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::Reset();  // every key up: only a press of a key that is up toggles it
        SimulatedDesktop::SetKeyToggled(VK_CAPITAL, row.hostCaps);
        SimulatedDesktop::SetKeyToggled(VK_NUMLOCK, row.hostNum);
        ClearRecords();
        injector.InjectKeyEvent(row.event);
        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(row.expectedJournal));
        EXPECT_EQ(SimulatedDesktop::IsKeyToggled(VK_CAPITAL), row.expectedCaps);
        EXPECT_EQ(SimulatedDesktop::IsKeyToggled(VK_NUMLOCK), row.expectedNum);
    }
}

TEST_F(KeyboardInjectionTest, RefusedKeyIsLoggedWithTheErrorCodeAndARefusedTapIsNot)
{
    SimulatedDesktop::LimitSendInput(0, ERROR_ACCESS_DENIED);

    injector.InjectKeyEvent(KeyPress(0x41, 1));

    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre(kAwake,
                            "SendInput key vk=0x14 scan=0 flags=0x0000 | key vk=0x14 scan=0 flags=0x0002 -> 0 error=5",
                            "SendInput key vk=0x41 scan=0 flags=0x0000 -> 0 error=5"));
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("Inject a KeyEvent"), ErrorLine("Failed to inject a key event ErroCode is 5")));
}

}  // namespace
