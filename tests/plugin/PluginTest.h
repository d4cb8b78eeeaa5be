#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "FakeClock.h"
#include "JournalLines.h"
#include "RecordingHostApplication.h"
#include "RecordingLogger.h"
#include "TestEventLoop.h"
#include "simulated_desktop.h"
#include "tessaril_remotecontrol_host.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Lines = std::vector<std::string>;

// The plugin as a host application drives it: through the eight exports only,
// with its own SendFunction, NotifyFunction and event loop. Each test begins
// after ExportedInit on a fresh desktop whose editor window (800 x 600 at
// 100,100) can be shared; TearDown stops remote control and uninitialises, as a
// host application must.
class PluginTest : public ::testing::Test {
protected:
    static constexpr RECT kEditorRect{100, 100, 900, 700};

    void SetUp() override
    {
        static int64_t testStart = 1'700'000'000'000;
        clock.Set(testStart += 1'000'000);  // past every rate limit of earlier tests
        SimulatedDesktop::Reset();
        SimulatedDesktop::WindowSpec editorWindow;
        editorWindow.className = "Notepad";
        editorWindow.rect = kEditorRect;
        editor = SimulatedDesktop::CreateTopLevelWindow(editorWindow);
        RecordingHostApplication::Clear();
        table = loop.Table();
        InitPlugin(&table);
        RecordingLogger::Clear();
    }

    void TearDown() override
    {
        StopHost();
        loop.WaitUntilIdle();
        ExportedUninit();
    }

    static void InitPlugin(const TessarilEventLoopTable* eventLoop)
    {
        ExportedInit(&RecordingHostApplication::Send, &RecordingHostApplication::Notify, 7, eventLoop, "one", "two", 3);
    }

    int64_t StartWindow(HWND window, const char* text = "viewer")
    {
        TessarilStartHostCommand command{text, IdOf(window), false, -1};
        EXPECT_TRUE(ExportedCallEvent(TESSARIL_CMD_START_HOST, &command));
        return command.result;
    }

    int64_t StartScreen()
    {
        TessarilStartHostCommand command{"viewer", IdOf(SimulatedDesktop::PrimaryMonitor()), true, -1};
        EXPECT_TRUE(ExportedCallEvent(TESSARIL_CMD_START_HOST, &command));
        return command.result;
    }

    static int64_t StopHost()
    {
        TessarilResultOnlyCommand command{-1};
        ExportedCallEvent(TESSARIL_CMD_STOP_HOST, &command);
        return command.result;
    }

    template <class Payload>
    static void Receive(uint64_t messageId, const Payload& payload)
    {
        EXPECT_TRUE(ExportedOnReceive(messageId, &payload));
    }

    void Key(int64_t keyCode, bool pressed, int64_t seq, bool capsLock = false)
    {
        TessarilKeyEvent event{};
        event.keyCode = keyCode;
        event.pressed = pressed;
        event.capsLock = capsLock ? 1 : 0;
        event.seq = seq;
        event.createTime = clock.Now();
        Receive(TESSARIL_MSG_KEY_EVENT, event);
    }

    // A viewer mouse event over a viewport of the editor's size.
    TessarilMouseEventFFI Mouse(int64_t x, int64_t y, int64_t seq, int32_t type = 0, int32_t button = 0,
                                bool pressed = false) const
    {
        TessarilMouseEventFFI event{};
        event.x = x;
        event.y = y;
        event.eventType = type;
        event.button = button;
        event.pressed = pressed;
        event.vp_width = 800;
        event.vp_height = 600;
        event.seq = seq;
        event.createTime = clock.Now();
        return event;
    }

    // Returns once the cursor monitor has handed a batch to the event loop.
    void WaitForPostedCursorBatch() const
    {
        for (int i = 0; i < 300 && !HasPostedTask(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(HasPostedTask()) << "no cursor batch was posted within 3 s";
    }

    FakeClock clock;
    TestEventLoop loop;
    TessarilEventLoopTable table{};
    HWND editor = nullptr;

private:
    bool HasPostedTask() const
    {
        for (const std::string& line : loop.Journal()) {
            if (line.rfind("postTask", 0) == 0) {
                return true;
            }
        }
        return false;
    }
};
