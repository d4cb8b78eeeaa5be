#include <gmock/gmock.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "JournalQueries.h"
#include "PluginSessionTest.h"
#include "TestWindow.h"

namespace {

using TESSARIL_HOST_APP::OutgoingMessage;
using ::testing::Contains;
using ::testing::Each;
using ::testing::Field;
using ::testing::SizeIs;

bool Down(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
bool HostCapsLockOn() { return (GetKeyState(VK_CAPITAL) & 1) != 0; }

// A real Caps Lock toggles only by being pressed: the host's own key press.
bool SetHostCapsLock(bool on)
{
    if (HostCapsLockOn() != on) {
        INPUT tap[2] = {};
        tap[0].type = tap[1].type = INPUT_KEYBOARD;
        tap[0].ki.wVk = tap[1].ki.wVk = VK_CAPITAL;
        tap[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, tap, sizeof(INPUT));
    }
    return Eventually([on] { return HostCapsLockOn() == on; });
}

// Wine's notepad: a real program of another process whose edit control gets the keys.
class KeyboardTest : public PluginSessionTest {
protected:
    // Ends notepad without the save prompt that its typed text would raise.
    void TearDown() override
    {
        session.Finish();
        TerminateProcess(notepad.hProcess, 0);
        WaitForSingleObject(notepad.hProcess, 10000);
        CloseHandle(notepad.hThread);
        CloseHandle(notepad.hProcess);
        EXPECT_TRUE(SetHostCapsLock(false));
    }

    // Notepad with the host's Caps Lock off, shared in window
    // mode and clicked into by the viewer, which gives it the keyboard.
    void StartOnNotepad()
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        wchar_t commandLine[] = L"notepad.exe";
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &notepad));
        WaitForInputIdle(notepad.hProcess, 20000);
        // The prefix runs no other notepad, so its window is the one of the class.
        ASSERT_TRUE(Eventually([&] { return (window = FindWindowW(L"Notepad", nullptr)) != nullptr; }, std::chrono::seconds(20)));
        constexpr RECT r{100, 100, 600, 500};
        SetWindowPos(window, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
        ASSERT_TRUE(SetHostCapsLock(false));
        ASSERT_EQ(Start(window), TESSARIL_RESULT_DONE);
        Click(250, 250, r.right - r.left, r.bottom - r.top);
        ASSERT_TRUE(Eventually([&] { return GetForegroundWindow() == window; })) << "notepad never took the keyboard";
    }

    PROCESS_INFORMATION notepad{};
    HWND window = nullptr;
};

TEST_F(KeyboardTest, ViewerCapsLockTypesUpperCaseIntoNotepad)
{
    ASSERT_NO_FATAL_FAILURE(StartOnNotepad());
    const auto text = [this] {
        wchar_t typed[256] = {};  // WM_GETTEXT copies it across the process boundary
        SendMessageW(FindWindowExW(window, nullptr, L"Edit", nullptr), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(typed));
        return std::wstring(typed);
    };
    Type('H', true);
    Type('I', true);

    EXPECT_TRUE(Eventually([&] { return text() == L"HI"; })) << "notepad holds " << ::testing::PrintToString(text());
    EXPECT_TRUE(HostCapsLockOn());
}

// An Alt that goes up alone is a tap: notepad's menu bar would take the
// keyboard from the person at the host. The release at the stop must not be one.
TEST_F(KeyboardTest, HeldAltReleasedAtStopLeavesNotepadMenuInactive)
{
    ASSERT_NO_FATAL_FAILURE(StartOnNotepad());
    const auto inMenu = [this] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && (info.flags & GUI_INMENUMODE) != 0;
    };
    // Pressed once, after the X focus settled: Wine resyncs its modifiers then
    // (README.md), and a second press would cancel the tap in Wine's DefWindowProc,
    // so that the test would no longer see one.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(session.Key(TESSARIL_HOST_APP::KeyEvent(VK_MENU, true, 1)));
    ASSERT_TRUE(Eventually([] { return Down(VK_MENU); }));

    EXPECT_EQ(session.StopHost(), TESSARIL_RESULT_DONE);

    EXPECT_TRUE(Eventually([] { return !Down(VK_MENU); }));
    // A menu bar that the tap activated would be active within this time.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(inMenu()) << "notepad's menu bar is active";
}

using CursorReportTest = PluginSessionTest;
constexpr int64_t kIBeam = 8;  // the sample's cursor type

// The edit control belongs to this process: under Wine a standard cursor has
// one handle per process, so another program's I-beam reads as no known type
// (README.md).
TEST_F(CursorReportTest, BatchesOfTenArriveOnEventLoopWithIBeamOverEditAndWindowPositions)
{
    constexpr RECT r{150, 120, 650, 520};
    TestWindow shared(L"TessarilE2eShared", L"Shared editor", r, 0, true);
    // Wine shows the cursor of the foreground window's thread.
    SetForegroundWindow(shared.Handle());
    ASSERT_EQ(Start(shared.Handle()), TESSARIL_RESULT_DONE);
    const auto batches = [this] {
        std::vector<OutgoingMessage> found = session.recorder.Messages();
        std::erase_if(found, [](const OutgoingMessage& m) { return m.kind != OutgoingMessage::Kind::CursorBatch; });
        return found;
    };

    // Scale 1: the viewport has the window's size.
    session.Mouse(TESSARIL_HOST_APP::MouseEvent(210, 230, r.right - r.left, r.bottom - r.top));
    ASSERT_TRUE(Eventually([&] { return !batches().empty() && batches().back().samples.back().cursorType == kIBeam; }))
        << "no cursor sample showed the I-beam";
    const size_t seen = batches().size();
    ASSERT_TRUE(Eventually([&] { return batches().size() >= seen + 3; }, std::chrono::seconds(5)));

    const std::vector<OutgoingMessage> last = batches();
    EXPECT_THAT(last, Each(Field(&OutgoingMessage::thread, session.loop.LoopThreadId())));
    EXPECT_THAT(last, Each(Field(&OutgoingMessage::pluginSender, true)));
    EXPECT_THAT(last, Each(Field(&OutgoingMessage::samples, SizeIs(10))));
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(last.back().Line(), CursorBatch(kIBeam, cursor.x - r.left, cursor.y - r.top, 500, 400));
}

// gtest's own regular expressions are the simple kind on Windows: no brackets
// or counts, so the lines are matched with std::regex.
MATCHER_P(IsLogLine, message, "is the log line " + std::string(message))
{
    // Each line: [local time] [thread] [level] message, ended by CR LF.
    const std::string prefix =
        R"(\[[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}\] \[[0-9]+\] \[info\] )";
    return std::regex_match(arg, std::regex(prefix + message + "\r"));
}

using LogFileTest = PluginSessionTest;

TEST_F(LogFileTest, LogFileHoldsCycleFromInitToUninit)
{
    TestWindow shared(L"TessarilE2eShared", L"Logged window", RECT{100, 100, 300, 300});
    ASSERT_EQ(Start(shared.Handle()), TESSARIL_RESULT_DONE);
    const auto read = [] {  // every line is flushed as it is written
        std::ifstream file(LogFile(), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
        return lines;
    };
    // The injection line is written at most every 2 s in a process and an
    // earlier test's may be the last: the viewer clicks until one is written.
    EXPECT_TRUE(Eventually([&] {
        Click(10, 10, 200, 200);
        return ::testing::Matches(Contains(IsLogLine("Inject a MouseEvent")))(read());
    }));
    session.Finish();

    const std::vector<std::string> lines = read();
    ASSERT_FALSE(lines.empty());
    EXPECT_THAT(lines.front(), IsLogLine("entry ExportedInit"));
    EXPECT_THAT(lines, Contains(IsLogLine("entry remoteControlStartHost")));
    EXPECT_THAT(lines, Contains(IsLogLine("Window ID = " + std::to_string(HandleBits(shared.Handle())) + ",false")));
    EXPECT_THAT(lines, Contains(IsLogLine("exit remoteControlStopHost, cost : [0-9]+")));
    EXPECT_THAT(lines.back(), IsLogLine("exit ExportedUninit, cost : [0-9]+"));
}

using ReleaseAtStopTest = PluginSessionTest;

TEST_F(ReleaseAtStopTest, HeldShiftAndLeftButtonAreUpAfterTheStop)
{
    TestWindow shared(L"TessarilE2eReleaseShared", L"Shared window", RECT{100, 100, 500, 400});
    ASSERT_EQ(Start(shared.Handle()), TESSARIL_RESULT_DONE);
    // Shift goes down after the last mouse event, and again while Wine reads
    // it as up: Wine resyncs its modifiers with the X server when the X focus
    // of an earlier test's window settles (README.md).
    ASSERT_TRUE(session.Mouse(TESSARIL_HOST_APP::MouseEvent(200, 150, 400, 300).Button(1, true).Seq(1)));
    int64_t seq = 0;
    const auto state = [] { return ::testing::Message() << "Shift " << Down(VK_SHIFT) << ", button " << Down(VK_LBUTTON); };
    ASSERT_TRUE(Eventually([&] {
        return Down(VK_SHIFT) ? Down(VK_LBUTTON) : !session.Key(TESSARIL_HOST_APP::KeyEvent(VK_SHIFT, true, ++seq));
    })) << state() << " before the stop";

    EXPECT_EQ(session.StopHost(), TESSARIL_RESULT_DONE);

    EXPECT_TRUE(Eventually([] { return !Down(VK_SHIFT) && !Down(VK_LBUTTON); })) << state() << " after the stop";
}

}  // namespace
