#include <string>
#include <vector>

#include "PluginTest.h"

namespace {

using ::testing::IsEmpty;

constexpr int32_t kButtonDown = 1;
constexpr int32_t kButtonUp = 2;

// One viewer input before the stop: a key, or a mouse event of `eventType`
// naming a button.
struct Step {
    bool key = false;
    int64_t code = 0;  // virtual key, or the viewer's button number
    bool pressed = false;
    bool capsLock = false;
    int32_t eventType = 0;
};

Step KeyStep(int64_t virtualKey, bool pressed, bool capsLock = false) { return {true, virtualKey, pressed, capsLock, 0}; }
Step ButtonStep(int64_t button, bool pressed) { return {false, button, pressed, false, pressed ? kButtonDown : kButtonUp}; }
// A move whose button fields say "pressed": only event types 1 and 2 carry a button.
Step MoveNamingButton(int64_t button) { return {false, button, true, false, 0}; }

// The lines the release at stop writes, successful or not.
std::vector<LoggedLine> ReleaseLines()
{
    std::vector<LoggedLine> lines;
    for (const LoggedLine& line : RecordingLogger::LinesOf(std::this_thread::get_id())) {
        if (line.message.rfind("Released", 0) == 0 || line.message.rfind("Failed to inject", 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<int> KeysDownOnTheDesktop()
{
    std::vector<int> down;
    for (int vk = 1; vk < 256; ++vk) {
        if (SimulatedDesktop::IsKeyDown(vk)) {
            down.push_back(vk);
        }
    }
    return down;
}

class ReleaseAtStopTest : public PluginTest {
protected:
    // Starts on the editor and plays the steps, then empties journal and log:
    // what follows is the stop's own.
    void StartAndPlay(const std::vector<Step>& steps)
    {
        ASSERT_EQ(StartWindow(), 0);
        int64_t seq = 0;
        for (const Step& step : steps) {
            ++seq;
            if (step.key) {
                Key(step.code, step.pressed, seq, step.capsLock);
            } else {
                session.Mouse(Mouse(400, 300, seq).Button(static_cast<int32_t>(step.code), step.pressed, step.eventType));
            }
        }
        Forget();
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
        {"held Shift and left button", false,
         {KeyStep(VK_SHIFT, true), ButtonStep(1, true)},
         {KeyRec(VK_SHIFT, true), Btn(MOUSEEVENTF_LEFTUP)},
         "Released 1 held keys and 1 held buttons at stop"},
        {"nothing held: every press released, a move naming a button presses none", false,
         {KeyStep('A', true), ButtonStep(1, true), ButtonStep(1, false), KeyStep('A', false), MoveNamingButton(3)},
         {},
         ""},
        {"keys newest first; a repeat counts once; lock taps are not held", false,
         {KeyStep(VK_CONTROL, true, true), KeyStep(VK_SHIFT, true), KeyStep(VK_CONTROL, true), KeyStep('A', true),
          KeyStep(VK_SHIFT, false), KeyStep('B', true)},
         {KeyRec('B', true), KeyRec('A', true), KeyRec(VK_CONTROL, true)},
         "Released 3 held keys and 0 held buttons at stop"},
        {"swapped buttons: the viewer's left went out as the right", true,
         {ButtonStep(1, true)},
         {Btn(MOUSEEVENTF_RIGHTUP)},
         "Released 0 held keys and 1 held buttons at stop"},
        {"X buttons with their numbers, newest first", false,
         {ButtonStep(5, true), ButtonStep(2, true), ButtonStep(4, true), ButtonStep(2, false)},
         {Btn(MOUSEEVENTF_XUP, XBUTTON1), Btn(MOUSEEVENTF_XUP, XBUTTON2)},
         "Released 0 held keys and 2 held buttons at stop"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::SetSwapButtons(row.swappedButtons);
        StartAndPlay(row.steps);

        EXPECT_EQ(session.StopHost(), 0);

        if (row.releaseRecords.empty()) {
            EXPECT_THAT(JournalStartingWith("SendInput"), IsEmpty());
            EXPECT_THAT(ReleaseLines(), IsEmpty());
        } else {
            EXPECT_THAT(JournalStartingWith("SendInput"), ElementsAre(Send(row.releaseRecords)));
            EXPECT_THAT(ReleaseLines(), ElementsAre(InfoLine(row.line)));
        }
        EXPECT_THAT(KeysDownOnTheDesktop(), IsEmpty());
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
    EXPECT_THAT(ReleaseLines(), ElementsAre(ErrorLine(fmt::format("Failed to inject a key event ErroCode is {}",
                                                                  ERROR_ACCESS_DENIED))));
    SimulatedDesktop::LimitSendInput(-1);
    StartAndPlay({});
    EXPECT_EQ(session.StopHost(), 0);
    EXPECT_THAT(JournalStartingWith("SendInput"), IsEmpty());
}

}  // namespace
