#include <vector>

#include "PluginTest.h"

namespace {

// One viewer input before the release: a key, or a mouse event of `eventType`
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

// What sets a row apart from a plain stop.
enum class Twist { None, SwappedButtons, CoveringChat, ChannelLost, Refused };

class ReleaseAtStopTest : public PluginTest {
protected:
    // Starts on the editor and plays the steps; what is recorded after is the release's own.
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

    // The release's lines, successful or not, and the channel indication's.
    static LogLines ReleaseLines()
    {
        LogLines lines = Said();
        std::erase_if(lines, [](const LoggedLine& line) {
            return !line.message.starts_with("Released") && !line.message.starts_with("Failed to release") &&
                   !line.message.starts_with("Host Receive");
        });
        return lines;
    }
};

// Keys come back newest first, then buttons newest first, as the desktop got
// them, at the stop or when the viewer's channel is lost (and then not again at
// the stop); nothing held, nothing sent and nothing written beyond the
// indication's own line and notification. A refused call has its own line.
TEST_F(ReleaseAtStopTest, WhatTheViewerStillHoldsIsReleasedInOneCall)
{
    const struct {
        const char* label;
        Twist twist;
        std::vector<Step> steps;
        Lines releaseRecords;  // empty: no call and no line at all
        const char* line;
    } rows[] = {
        {"held Shift and left button", Twist::None, {KeyStep(VK_SHIFT, true), ButtonStep(1, true)},
         {KeyRec(VK_SHIFT, true), Btn(MOUSEEVENTF_LEFTUP)}, "Released 1 held keys and 1 held buttons"},
        {"channel lost, nothing held: every press released, a move naming a button presses none", Twist::ChannelLost,
         {KeyStep('A', true), ButtonStep(1, true), ButtonStep(1, false), KeyStep('A', false), {false, 3, true}}, {}, ""},
        {"channel lost with Shift held: released then, not at the stop", Twist::ChannelLost, {KeyStep(VK_SHIFT, true)},
         {KeyRec(VK_SHIFT, true)}, "Released 1 held keys and 0 held buttons"},
        {"keys newest first after a mask tap for the Windows key; a repeat counts once; lock taps are not held",
         Twist::None,
         {KeyStep(VK_CONTROL, true, true), KeyStep(VK_SHIFT, true), KeyStep(VK_CONTROL, true), KeyStep('A', true),
          KeyStep(VK_SHIFT, false), KeyStep(VK_RWIN, true), KeyStep('B', true)},
         {KeyRec(0xE8, false), KeyRec(0xE8, true), KeyRec('B', true), KeyRec(VK_RWIN, true), KeyRec('A', true),
          KeyRec(VK_CONTROL, true)},
         "Released 4 held keys and 0 held buttons"},
        {"a lone Alt goes up after an unassigned key's tap, so no menu opens", Twist::None, {KeyStep(VK_MENU, true)},
         {KeyRec(0xE8, false), KeyRec(0xE8, true), KeyRec(VK_MENU, true)}, "Released 1 held keys and 0 held buttons"},
        {"swapped buttons: the viewer's left went out as the right", Twist::SwappedButtons, {ButtonStep(1, true)},
         {Btn(MOUSEEVENTF_RIGHTUP)}, "Released 0 held keys and 1 held buttons"},
        {"the button goes up through the click-through chat, as it went down", Twist::CoveringChat,
         {ButtonStep(1, true)}, {Btn(MOUSEEVENTF_LEFTUP)}, "Released 0 held keys and 1 held buttons"},
        {"X buttons with their numbers, newest first", Twist::None,
         {ButtonStep(5, true), ButtonStep(2, true), ButtonStep(4, true), ButtonStep(2, false)},
         {Btn(MOUSEEVENTF_XUP, XBUTTON1), Btn(MOUSEEVENTF_XUP, XBUTTON2)}, "Released 0 held keys and 2 held buttons"},
        {"refused: a line of its own, and the stop goes on", Twist::Refused, {KeyStep(VK_SHIFT, true), ButtonStep(1, true)},
         {KeyRec(VK_SHIFT, true), Btn(MOUSEEVENTF_LEFTUP)}, "Failed to release 1 held keys and 1 held buttons, error 5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Restart();
        SimulatedDesktop::SetSwapButtons(row.twist == Twist::SwappedButtons);
        const HWND chat = row.twist == Twist::CoveringChat ? CreateChat("Chat", {300, 300, 700, 500}, kChatStyle) : nullptr;
        StartAndPlay(row.steps);
        SimulatedDesktop::LimitSendInput(row.twist == Twist::Refused ? 0 : -1, ERROR_ACCESS_DENIED);

        const bool channelLost = row.twist == Twist::ChannelLost;
        if (channelLost) {
            EXPECT_TRUE(session.Receive(TESSARIL_MSG_CHANNEL_UNAVAILABLE, uint8_t{0}));
            EXPECT_THAT(Replies(), ElementsAre("channel unavailable"));
        } else {
            EXPECT_EQ(session.StopHost(), 0);
        }

        Lines journal;
        LogLines lines = channelLost ? LogLines{InfoLine("Host Receive Channel UnAvailable Indication")} : LogLines{};
        if (!row.releaseRecords.empty()) {
            const bool refused = row.twist == Twist::Refused;
            journal.push_back(Send(row.releaseRecords, refused ? fmt::format("0 error={}", ERROR_ACCESS_DENIED) : ""));
            lines.push_back(refused ? ErrorLine(row.line) : InfoLine(row.line));
        }
        if (chat != nullptr) {
            journal = {ExStyleLine(chat, kChatStyle | kTransparent, kChatStyle), journal[0],
                       ExStyleLine(chat, kChatStyle, kChatStyle | kTransparent)};
        }
        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(journal));
        EXPECT_THAT(ReleaseLines(), ElementsAreArray(lines));
        for (const int vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_RWIN, VK_CAPITAL, 0xE8, int{'A'}, int{'B'}}) {
            EXPECT_EQ(SimulatedDesktop::IsKeyDown(vk), row.twist == Twist::Refused && vk == VK_SHIFT) << vk;
        }
        if (channelLost) {  // the stop after it finds nothing more to release
            EXPECT_EQ(session.StopHost(), 0);
            EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(journal));
        }
    }
}

}  // namespace
