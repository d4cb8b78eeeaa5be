#pragma once

#include <fmt/format.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "FakeClock.h"
#include "HostSession.h"
#include "JournalLines.h"
#include "JournalQueries.h"
#include "RecordingLogger.h"
#include "simulated_desktop.h"

using namespace TESSARIL_HOST_APP;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Lines = std::vector<std::string>;
using LogLines = std::vector<LoggedLine>;

// The plugin as a host application drives it: through the eight exports only,
// played by the harness's HostSession. Each test begins after ExportedInit on
// a fresh desktop whose editor window (800 x 600 at 100,100) can be shared;
// TearDown ends the cycle in the order a host must keep.
class PluginTest : public ::testing::Test {
protected:
    static constexpr LONG kChatStyle = WS_EX_TOOLWINDOW;

    void SetUp() override { Restart(); }
    void TearDown() override { session.Finish(); }

    // Ends the cycle and begins another on a fresh desktop, past every rate
    // limit of the one before, with nothing recorded yet.
    void Restart(HostSession::InitOptions options = {.logDirectory = "one", .logName = "two", .logValue = 3})
    {
        session.Finish();
        clock.Advance(1'000'000);
        SimulatedDesktop::Reset();
        editor = SimulatedDesktop::CreateTopLevelWindow({.className = "Notepad", .title = "", .rect = {100, 100, 900, 700}});
        // The cursor thread shares the converter's rate-limited lines with the
        // message path; a hidden cursor keeps it away from them, so no line
        // depends on which thread came first. Tests of samples show the cursor.
        SimulatedDesktop::SetCursorFlags(CURSOR_SUPPRESSED);
        ASSERT_TRUE(session.Init(options));
        Forget();
    }
    // A fresh cycle started in window mode on the editor, nothing recorded yet.
    void RestartOnEditor() { Restart(); ASSERT_EQ(StartWindow(), 0); Forget(); }
    void Forget()
    {
        RecordingLogger::Clear();
        session.recorder.Clear();
        SimulatedDesktop::ClearJournal();
    }

    int64_t StartWindow() { return session.Start(IdOf(editor), false); }
    int64_t StartScreen() { return session.Start(IdOf(SimulatedDesktop::PrimaryMonitor()), true); }

    // A window of another process (5100), on the current virtual desktop unless told otherwise.
    static HWND CreateChat(const char* title, RECT rect, LONG exStyle, bool onCurrentDesktop = true)
    {
        const HWND window = SimulatedDesktop::CreateTopLevelWindow(
            {.className = "ChatFrame", .title = title, .processId = 5100, .threadId = 5104, .rect = rect,
             .style = WS_OVERLAPPEDWINDOW, .exStyle = exStyle});
        SimulatedDesktop::SetOnCurrentVirtualDesktop(window, onCurrentDesktop);
        return window;
    }

    // Viewer input stamped with the test clock, over a viewport of the editor's size.
    void Key(int64_t keyCode, bool pressed, int64_t seq, bool capsLock = false)
    {
        EXPECT_TRUE(session.Key(KeyEvent(keyCode, pressed, seq, capsLock, false, clock.Now())));
    }
    MouseEvent Mouse(int64_t x, int64_t y, int64_t seq) const
    {
        return MouseEvent(x, y, 800, 600).Seq(seq).CreatedAt(clock.Now());
    }

    // What the test's own thread logged: the cursor thread's lines never fall in between.
    static LogLines Logged() { return RecordingLogger::LinesOf(std::this_thread::get_id()); }
    // The same without the entry and exit lines of the traces.
    static LogLines Said()
    {
        LogLines lines = Logged();
        std::erase_if(lines, [](const LoggedLine& l) { return l.message.starts_with("entry ") || l.message.starts_with("exit "); });
        return lines;
    }
    // What the host application got from the test's own thread: cursor
    // batches come from the loop thread whenever the monitor completes one.
    Lines Replies()
    {
        Lines lines;
        for (const OutgoingMessage& message : session.recorder.Take()) {
            if (message.thread == std::this_thread::get_id()) {
                lines.push_back(message.Line());
            }
        }
        return lines;
    }
    static LogLines WarningsAndErrors(LogLines lines = Logged())
    {
        std::erase_if(lines, [](const LoggedLine& line) { return line.level < 4; });
        return lines;
    }
    static Lines JournalStartingWith(const std::string& prefix)
    {
        Lines lines = SimulatedDesktop::Journal();
        std::erase_if(lines, [&](const std::string& line) { return !line.starts_with(prefix); });
        return lines;
    }

    // Waits until the loop is handed one more task than when called: a cursor
    // batch that the monitor completes from now on.
    bool AnotherTaskPosted() const
    {
        const uint64_t posted = session.loop.PostedCount();
        return Eventually([&] { return session.loop.PostedCount() > posted; });
    }
    // The last message the host application got, as the recorder words it.
    OutgoingMessage LastMessage() const
    {
        const std::vector<OutgoingMessage> sent = session.recorder.Messages();
        return sent.empty() ? OutgoingMessage{} : sent.back();
    }
    std::string LastBatch() const { return LastMessage().Line(); }

    FakeClock clock;
    HostSession session{LinkedPlugin()};
    HWND editor = nullptr;
};
