#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CommandCaller.h"
#include "FakePluginExports.h"
#include "simulated_desktop.h"

namespace {

using TESSARIL_HOST_APP::CommandCaller;
using TESSARIL_HOST_APP::CommandEntry;
using TESSARIL_HOST_APP::IgnoreWindowCommandStep;
using testing::ElementsAre;

class CommandCallerTest : public testing::Test {
protected:
    void SetUp() override
    {
        SimulatedDesktop::Reset();
        SimulatedDesktop::WindowSpec window;
        windows["editor"] = SimulatedDesktop::CreateTopLevelWindow(window);
        FakePluginExports::result = 0;
    }

    static uint64_t HandleOf(const void* handle) { return reinterpret_cast<uintptr_t>(handle); }

    std::map<std::string, HWND> windows;
    TESSARIL_HOST_APP::PluginExports exports = FakePluginExports::Exports();
    CommandCaller caller{exports, windows};
};

TEST_F(CommandCallerTest, StartSharesTheNamedWindowOrThePrimaryMonitor)
{
    const CommandEntry window = caller.Start({"editor", "viewer one"});
    EXPECT_EQ(FakePluginExports::start.screenId, HandleOf(windows["editor"]));
    EXPECT_FALSE(FakePluginExports::start.isScreen);
    EXPECT_EQ(FakePluginExports::startText, "viewer one");
    EXPECT_EQ(window.detail, "window=editor text=\"viewer one\"");

    caller.Start({std::nullopt, "viewer two"});
    EXPECT_EQ(FakePluginExports::start.screenId, HandleOf(SimulatedDesktop::PrimaryMonitor()));
    EXPECT_TRUE(FakePluginExports::start.isScreen);
}

// Every command is released with ExportedCallDrop under its own id, after its
// result has been read.
TEST_F(CommandCallerTest, EachCommandIsDroppedAfterItsResultIsRead)
{
    FakePluginExports::result = TESSARIL_RESULT_NOT_STARTED;
    const CommandEntry entry = caller.ClearIgnore();
    EXPECT_TRUE(entry.accepted);
    EXPECT_EQ(entry.result, TESSARIL_RESULT_NOT_STARTED);
    EXPECT_EQ(entry.name, "clear-ignore");
    const std::string id = std::to_string(TESSARIL_CMD_CLEAR_HOST_IGNORE_WINDOW);
    EXPECT_THAT(FakePluginExports::calls, ElementsAre("event " + id, "drop " + id));
}

TEST_F(CommandCallerTest, IgnoreRequestsCarryWhatTheirTypeReads)
{
    const uint32_t handle = static_cast<uint32_t>(HandleOf(windows["editor"]));
    const std::vector<uint8_t> handleBytes{static_cast<uint8_t>(handle), static_cast<uint8_t>(handle >> 8),
                                           static_cast<uint8_t>(handle >> 16), static_cast<uint8_t>(handle >> 24)};
    caller.Ignore({true, 1, "editor", 0, {}});
    EXPECT_EQ(FakePluginExports::ignoreBytes, handleBytes);
    EXPECT_EQ(FakePluginExports::ignore.windowHandle, 0);

    caller.Ignore({false, 3, "editor", 0, {}});
    EXPECT_EQ(FakePluginExports::ignore.windowHandle, handle);
    EXPECT_TRUE(FakePluginExports::ignoreBytes.empty());
    EXPECT_EQ(FakePluginExports::calls.front(), "event " + std::to_string(TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW));
    EXPECT_EQ(FakePluginExports::calls[2], "event " + std::to_string(TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW));

    caller.Ignore({true, 2, std::nullopt, 5100, {"Team chat", "Call"}});
    EXPECT_EQ(FakePluginExports::ignore.ignoreType, 2);
    EXPECT_EQ(FakePluginExports::ignore.processId, 5100u);
    EXPECT_THAT(FakePluginExports::ignoreTitles, ElementsAre("Team chat", "Call"));
}

TEST_F(CommandCallerTest, ResetsNameTheirTarget)
{
    caller.ResetWindow({"editor"});
    EXPECT_EQ(FakePluginExports::resetId, static_cast<int64_t>(HandleOf(windows["editor"])));
    caller.ResetScreen();
    EXPECT_EQ(FakePluginExports::resetId, static_cast<int64_t>(HandleOf(SimulatedDesktop::PrimaryMonitor())));
}

// The runner stops remote control at the end only when the session left it on.
TEST_F(CommandCallerTest, StartedFollowsTheResultsOfStartAndStop)
{
    const struct {
        const char* label;
        bool start;
        int64_t result;
        bool started;
    } rows[] = {
        {"start done", true, TESSARIL_RESULT_DONE, true},
        {"start again refused", true, TESSARIL_RESULT_ALREADY_STARTED, true},
        {"stop done", false, TESSARIL_RESULT_DONE, false},
        {"start refused while stopped", true, TESSARIL_RESULT_NOT_STARTED, false},
        {"start done again", true, TESSARIL_RESULT_DONE, true},
        {"stop refused", false, TESSARIL_RESULT_NOT_STARTED, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FakePluginExports::result = row.result;
        const CommandEntry entry = row.start ? caller.Start({"editor", "v"}) : caller.Stop("stop");
        EXPECT_EQ(entry.result, row.result);
        EXPECT_EQ(caller.Started(), row.started);
    }
}

}  // namespace
