#include <vector>

#include "PluginTest.h"

namespace {

using ::testing::IsEmpty;

// One viewer input before the stop: a key, or a mouse event of `eventType`
// naming a button (only types 1 and 2 press or release one).
struct Step {
    bool key;
    int64_t code;  // virtual key, or the viewer's button number
    bool pressed;
    bool capsLock = false;
    int32_t eventType = 0;
};

Step KeyStep(int64_t virtualKey, bool pressed, bool capsLock = false) { return {true, virtualKey, pressed, capsLock}; }
Step ButtonStep(int64_t button, bool pressed) { return {false, button, pressed, false, pressed ? 1 : 2}; }

class ReleaseAtStopTest : public PluginTest {
protected:
    // Starts on the editor and plays the steps; what is recorded after is the stop's own.
    void StartAndPlay(const std::vector<Step>& steps)
    {
        ASSERT_EQ(StartWindow(), 0);
        int64_t seq = 0;
        for (const Step& step : steps) {
            if (step.key) {
                Key(step.code, step.pressed, ++seq, step.capsLock);
            } else {
                session.Mouse(Mouse(400, 300, ++seq).Button(static_cast<int32_t>(step.code), step.pressed, step.eventType));
            }
        }
        Forget();
    }

    // The stop's lines, successful or not.
    static LogLines ReleaseLines()
    {
        LogLines lines = Said();
        std::erase_if(lines, [](const LoggedLine& line) {
            return !line.message.starts_with("Released") && !line.message.starts_with("Failed to inject");
        });
        return lines;
    }
};

// Keys come back newest first, then buttons newest first, as the desktop got
// them; a session that ends with nothing held sends and writes nothing more.
TEST_F(ReleaseAtStopTest, WhatTheViewerStillHoldsIsReleasedInOneCall)
{
    const struct {
        const char* label;
        bool swappedButtons;
        std::vector<Step> steps;
        Lines releaseRecords;  // empty: no call and no line at all
        const char* line;
    } rows[] = {
        {"held Shift and left button", false, {KeyStep(VK_SHIFT, true), ButtonStep(1, true)},
         {KeyRec(VK_SHIFT, true), Btn(MOUSEEVENTF_LEFTUP)}, "Released 1 held keys and 1 held buttons at stop"},
        {"nothing held: every press released, a move naming a button presses none", false,
         {KeyStep('A', true), ButtonStep(1, true), ButtonStep(1, false), KeyStep('A', false), {false, 3, true}}, {}, ""},
        {"keys newest first; a repeat counts once; lock taps are not held", false,
         {KeyStep(VK_CONTROL, true, true), KeyStep(VK_SHIFT, true), KeyStep(VK_CONTROL, true), KeyStep('A', true),
          KeyStep(VK_SHIFT, false), KeyStep('B', true)},
         {KeyRec('B', true), KeyRec('A', true), KeyRec(VK_CONTROL, true)}, "Released 3 held keys and 0 held buttons at stop"},
        {"swapped buttons: the viewer's left went out as the right", true, {ButtonStep(1, true)},
         {Btn(MOUSEEVENTF_RIGHTUP)}, "Released 0 held keys and 1 held buttons at stop"},
        {"X buttons with their numbers, newest first", false,
         {ButtonStep(5, true), ButtonStep(2, true), ButtonStep(4, true), ButtonStep(2, false)},
         {Btn(MOUSEEVENTF_XUP, XBUTTON1), Btn(MOUSEEVENTF_XUP, XBUTTON2)}, "Released 0 held keys and 2 held buttons at stop"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::SetSwapButtons(row.swappedButtons);
        StartAndPlay(row.steps);

        EXPECT_EQ(session.StopHost(), 0);

        const bool released = !row.releaseRecords.empty();
        EXPECT_THAT(JournalStartingWith("SendInput"), released ? Lines{Send(row.releaseRecords)} : Lines{});
        EXPECT_THAT(ReleaseLines(), released ? LogLines{InfoLine(row.line)} : LogLines{});
        for (const int vk : {VK_SHIFT, VK_CONTROL, VK_CAPITAL, int{'A'}, int{'B'}}) {
            EXPECT_FALSE(SimulatedDesktop::IsKeyDown(vk)) << vk;
        }
    }
}

// A desktop that refuses the release gets the key path's failure line; the stop
// still completes, and the next start begins with nothing held.
TEST_F(ReleaseAtStopTest, RefusedReleaseIsLoggedAndTheStopCompletes)
{
    StartAndPlay({KeyStep(VK_SHIFT, true), ButtonStep(1, true)});
    SimulatedDesktop::LimitSendInput(0, ERROR_ACCESS_DENIED);

    EXPECT_EQ(session.StopHost(), 0);

    EXPECT_THAT(JournalStartingWith("SendInput"), ElementsAre(Send({KeyRec(VK_SHIFT, true), Btn(MOUSEEVENTF_LEFTUP)},
                                                                   fmt::format("0 error={}", ERROR_ACCESS_DENIED))));
    EXPECT_THAT(ReleaseLines(),
                ElementsAre(ErrorLine(fmt::format("Failed to inject a key event ErroCode is {}", ERROR_ACCESS_DENIED))));
    SimulatedDesktop::LimitSendInput(-1);
    StartAndPlay({});
    EXPECT_EQ(session.StopHost(), 0);
    EXPECT_THAT(JournalStartingWith("SendInput"), IsEmpty());
}

}  // namespace
