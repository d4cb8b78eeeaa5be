#include <gmock/gmock.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "JournalQueries.h"
#include "NotepadProcess.h"
#include "PluginSessionTest.h"
#include "TestWindow.h"

namespace {

using TESSARIL_HOST_APP::OutgoingMessage;
using ::testing::Contains;
using ::testing::Each;
using ::testing::Field;
using ::testing::SizeIs;

bool HostCapsLockOn()
{
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

// A real Caps Lock toggles only by being pressed: the host's own key press.
void SetHostCapsLock(bool on)
{
    if (HostCapsLockOn() != on) {
        INPUT tap[2] = {};
        tap[0].type = tap[1].type = INPUT_KEYBOARD;
        tap[0].ki.wVk = tap[1].ki.wVk = VK_CAPITAL;
        tap[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, tap, sizeof(INPUT));
    }
    Eventually([on] { return HostCapsLockOn() == on; });
}

class KeyboardTest : public PluginSessionTest {
protected:
    void TearDown() override
    {
        FinishCycle();
        SetHostCapsLock(false);
    }
};

TEST_F(KeyboardTest, ViewerCapsLockTypesUpperCaseIntoNotepad)
{
    constexpr RECT r{100, 100, 600, 500};
    NotepadProcess notepad;
    ASSERT_NE(notepad.Window(), nullptr) << "notepad's window did not appear";
    SetWindowPos(notepad.Window(), HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
    SetHostCapsLock(false);
    ASSERT_FALSE(HostCapsLockOn());
    ASSERT_EQ(StartWindow(notepad.Window()), TESSARIL_RESULT_DONE);

    // The viewer clicks into the text first, which gives notepad the keyboard.
    Click(250, 250, r.right - r.left, r.bottom - r.top);
    Eventually([&] { return GetForegroundWindow() == notepad.Window(); });
    Type('H', true);
    Type('I', true);

    EXPECT_TRUE(Eventually([&] { return notepad.Text() == L"HI"; }))
        << "notepad holds \"" << std::string(notepad.Text().begin(), notepad.Text().end()) << "\"";
    EXPECT_TRUE(HostCapsLockOn());
}

std::vector<OutgoingMessage> CursorBatches(const TESSARIL_HOST_APP::MessageRecorder& recorder)
{
    std::vector<OutgoingMessage> batches = recorder.Messages();
    std::erase_if(batches, [](const OutgoingMessage& m) { return m.kind != OutgoingMessage::Kind::CursorBatch; });
    return batches;
}

using CursorReportTest = PluginSessionTest;
constexpr int64_t kIBeam = 8;  // the sample's cursor type

// The edit control belongs to this process: under Wine a standard cursor has
// one handle per process, so another program's I-beam reads as no known type
// (README.md).
TEST_F(CursorReportTest, BatchesOfTenArriveOnEventLoopWithIBeamOverEditAndWindowPositions)
{
    constexpr RECT r{150, 120, 650, 520};
    TestWindow shared({L"TessarilE2eShared", L"Shared editor", r, 0, true});
    // Wine shows the cursor of the foreground window's thread.
    SetForegroundWindow(shared.Handle());
    ASSERT_EQ(StartWindow(shared.Handle()), TESSARIL_RESULT_DONE);

    // Scale 1: the viewport has the window's size.
    session.Mouse(TESSARIL_HOST_APP::MouseEvent(210, 230, r.right - r.left, r.bottom - r.top));
    ASSERT_TRUE(Eventually([&] {
        const auto batches = CursorBatches(recorder);
        return !batches.empty() && batches.back().samples.back().cursorType == kIBeam;
    })) << "no cursor sample showed the I-beam";
    const size_t seen = CursorBatches(recorder).size();
    ASSERT_TRUE(Eventually([&] { return CursorBatches(recorder).size() >= seen + 3; }, std::chrono::seconds(5)));

    const std::vector<OutgoingMessage> batches = CursorBatches(recorder);
    EXPECT_THAT(batches, Each(Field(&OutgoingMessage::thread, loop.LoopThreadId())));
    EXPECT_THAT(batches, Each(Field(&OutgoingMessage::pluginSender, true)));
    EXPECT_THAT(batches, Each(Field(&OutgoingMessage::samples, SizeIs(10))));
    POINT cursor{};
    GetCursorPos(&cursor);
    const std::string sample =
        " " + std::to_string(kIBeam) + "@" + std::to_string(cursor.x - r.left) + "," + std::to_string(cursor.y - r.top);
    std::string expected = "cursor 10";
    for (int i = 0; i < 10; ++i) {
        expected += sample;
    }
    EXPECT_EQ(batches.back().Line(), expected + " in 500x400");
}

// gtest's own regular expressions are the simple kind on Windows: no brackets
// or counts, so the lines are matched with std::regex.
MATCHER_P(IsLogLine, levelAndMessage, "is the log line " + std::string(levelAndMessage))
{
    // Each line: [local time] [thread] [level] message, ended by CR LF.
    const std::string prefix =
        R"(\[[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}\] \[[0-9]+\] \[info\] )";
    return std::regex_match(arg, std::regex(prefix + levelAndMessage + "\r"));
}

using LogFileTest = PluginSessionTest;

TEST_F(LogFileTest, LogFileHoldsCycleFromInitToUninit)
{
    TestWindow shared({L"TessarilE2eShared", L"Logged window", RECT{100, 100, 300, 300}});
    ASSERT_EQ(StartWindow(shared.Handle()), TESSARIL_RESULT_DONE);
    Click(10, 10, 200, 200);
    FinishCycle();

    std::ifstream file(LogFolder() / (LogStem() + ".log"), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    ASSERT_FALSE(lines.empty());
    EXPECT_THAT(lines.front(), IsLogLine("entry ExportedInit"));
    EXPECT_THAT(lines, Contains(IsLogLine("entry remoteControlStartHost")));
    EXPECT_THAT(lines, Contains(IsLogLine("Window ID = " + std::to_string(HandleBits(shared.Handle())) + ",false")));
    EXPECT_THAT(lines, Contains(IsLogLine("Inject a MouseEvent")));
    EXPECT_THAT(lines, Contains(IsLogLine("exit remoteControlStopHost, cost : [0-9]+")));
    EXPECT_THAT(lines.back(), IsLogLine("exit ExportedUninit, cost : [0-9]+"));
}

}  // namespace
