#include <fmt/format.h>

#include <functional>

#include "PluginTest.h"

namespace {

using ::testing::IsEmpty;

// The logger exists before the first line; ExportedUninit still writes its exit
// line after the logger's object is gone, and unregisters from the event loop.
TEST_F(PluginTest, TheTracesOfInitAndUninitOpenAndCloseTheLog)
{
    session.Finish();
    RecordingLogger::Clear();

    ASSERT_TRUE(session.Init({.logDirectory = "one", .logName = "two", .logValue = 3}));

    const LogLines lines = RecordingLogger::Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), InfoLine("entry ExportedInit"));
    EXPECT_EQ(lines.back(), InfoLine("exit ExportedStart, cost : 0"));
    EXPECT_THAT(lines, ::testing::Contains(InfoLine("exit ExportedInit, cost : 0")));
    EXPECT_THAT(RecordingLogger::Creations(),
                ElementsAre(LoggerCreation{3, "one", "two", "tessaril_remotecontrol_host", 0, 7, 1}));

    // Remote control still started: ExportedUninit leaves the stop to the host.
    ASSERT_EQ(StartWindow(), 0);
    Forget();
    EXPECT_TRUE(session.plugin.uninit());
    EXPECT_THAT(Logged(), ElementsAre(InfoLine("entry ExportedUninit"), InfoLine("entry Uninit"),
                                      InfoLine("entry TESSARIL_REMOTECONTROL_HOST::Host::UnInit"),
                                      InfoLine("exit TESSARIL_REMOTECONTROL_HOST::Host::UnInit, cost : 0"),
                                      InfoLine("exit Uninit, cost : 0"), InfoLine("exit ExportedUninit, cost : 0")));
    EXPECT_EQ(session.loop.Journal().back(), "unregisterListener " + std::to_string(EventLoop::kRegistrationHandle));
}

enum class Before { Nothing, Start, StartAndStop };

// Every command in every state, with its result code, its lines and what it sent.
TEST_F(PluginTest, CommandsAnswerWithTheirResultCodeAndLine)
{
    const auto start = [this] { return StartWindow(); };
    const auto stop = [this] { return session.StopHost(); };
    const auto addEditor = [this] { return session.AddIgnore(IgnoreRequest::ByHandle(IdOf(editor))); };
    const auto removeEditor = [this] { return session.RemoveIgnore(IgnoreRequest::ByHandle(IdOf(editor))); };
    const auto clear = [this] { return session.ClearIgnore(); };
    const auto resetScreen = [this] { return session.ResetScreen(IdOf(SimulatedDesktop::PrimaryMonitor())); };
    const auto resetWindow = [this] { return session.ResetWindow(IdOf(editor)); };
    const auto add = [this](IgnoreRequest request) {
        return [this, request]() mutable { return session.AddIgnore(std::move(request)); };
    };
    const LogLines notStarted{ErrorLine("HostNotStartedYet")};
    const Lines unregister{"unregister", "unregister"};
    // The cursor monitor is told to stop before the state is looked at.
    const LogLines stopRefused{WarningLine("MouseCursorMonitor not inited"), InfoLine("Host not started yet")};
    const auto type = [](int ignoreType) { return InfoLine(fmt::format("UpdateIgnoreWindow ignoreType = {}", ignoreType)); };
    const auto listed = [&](int ignoreType, const char* adding, const char* handle = "0x010010") {
        return LogLines{type(ignoreType), InfoLine(fmt::format("UpdateIgnoreWindow hwnd is {}, if add {}", handle, adding))};
    };
    const LogLines invalidBytes{type(1), ErrorLine("HostIgnoredWindow invalid")};
    const struct {
        const char* label;
        Before before;
        std::function<int64_t()> command;
        int64_t result;
        LogLines lines;  // of the command alone, its traces left out
        Lines messages;
    } rows[] = {
        {"start in window mode", Before::Nothing, start, 0, {InfoLine("Window ID = 65552,false")}, {"register viewer"}},
        {"start in screen mode", Before::Nothing, [this] { return StartScreen(); }, 0, {InfoLine("Window ID = 65537,true")}, {"register viewer"}},
        {"second start", Before::Start, start, 5, {InfoLine("Host started Already")}, {}},
        {"start after a stop", Before::StartAndStop, start, 0, {InfoLine("Window ID = 65552,false")}, {"register viewer"}},
        {"stop", Before::Start, stop, 0, {}, unregister},
        {"stop after a stop", Before::StartAndStop, stop, 6, stopRefused, {}},
        {"add ignore before a start", Before::Nothing, addEditor, 6, notStarted, {}},
        {"remove ignore before a start", Before::Nothing, removeEditor, 6, notStarted, {}},
        {"clear ignore before a start", Before::Nothing, clear, 6, notStarted, {}},
        {"reset screen before a start", Before::Nothing, resetScreen, 6, notStarted, {}},
        {"reset window before a start", Before::Nothing, resetWindow, 6, notStarted, {}},
        {"add ignore after a stop", Before::StartAndStop, addEditor, 6, notStarted, {}},
        {"add ignore by handle", Before::Start, addEditor, 0, listed(3, "true"), {}},
        {"remove ignore by handle", Before::Start, removeEditor, 0, listed(3, "false"), {}},
        {"add ignore by bytes", Before::Start, add(IgnoreRequest::ByBytes(0x10010)), 0, listed(1, "true"), {}},
        {"add ignore by bytes with the high bit set: the handle is sign-extended", Before::Start,
         add(IgnoreRequest::ByBytes(0x80000010)), 0, listed(1, "true", "0xffffffff80000010"), {}},
        {"add ignore by titles", Before::Start, add(IgnoreRequest::ByTitles(5100, {"Team chat"})), 0, {type(2)}, {}},
        {"clear ignore", Before::Start, clear, 0, {}, {}},
        {"reset screen", Before::Start, resetScreen, 0, {InfoLine("Reset Screen Id 65537")}, {}},
        {"reset window", Before::Start, resetWindow, 0, {InfoLine("Reset Window Id 65552")}, {}},
        {"ignore by bytes without bytes", Before::Start, add(IgnoreRequest::Raw(1, {})), 0, invalidBytes, {}},
        {"ignore by three bytes", Before::Start, add(IgnoreRequest::Raw(1, {0x10, 0, 1})), 0, invalidBytes, {}},
        {"ignore by bytes of handle 0", Before::Start, add(IgnoreRequest::Raw(1, {0, 0, 0, 0})), 0, invalidBytes, {}},
        {"ignore by handle 0", Before::Start, add(IgnoreRequest::ByHandle(0)), 0, {type(3), WarningLine("invalid ignore type:3")}, {}},
        {"ignore of an unknown type", Before::Start, add(IgnoreRequest::Raw(7, {}, 0x10010)), 0, {type(7), WarningLine("invalid ignore type:7")}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Restart();
        if (row.before != Before::Nothing) {
            ASSERT_EQ(StartWindow(), 0);
        }
        if (row.before == Before::StartAndStop) {
            ASSERT_EQ(session.StopHost(), 0);
        }
        Forget();

        EXPECT_EQ(row.command(), row.result);
        EXPECT_THAT(Said(), ElementsAreArray(row.lines));
        EXPECT_THAT(Replies(), ElementsAreArray(row.messages));
    }
}

// The traces of a command and of the host, the monitor and the converter it
// reaches, kept: each exit line follows its layer's refusal.
TEST_F(PluginTest, TracesEncloseEachLayerAndCloseAfterItsRefusal)
{
    const auto entry = [](const char* name) { return InfoLine(fmt::format("entry {}", name)); };
    const auto exit = [](const char* name) { return InfoLine(fmt::format("exit {}, cost : 0", name)); };
    const char* const host = "TESSARIL_REMOTECONTROL_HOST::Host::StopHost";
    const char* const hostMonitor = "TESSARIL_REMOTECONTROL_HOST::Host::StopCursorMonitor";
    const char* const monitor = "TESSARIL_REMOTECONTROL_HOST::MouseCursorMonitor::Uninit";
    EXPECT_EQ(session.StopHost(), 6);
    EXPECT_THAT(Logged(), ElementsAre(entry("remoteControlStopHost"), entry(host), entry(hostMonitor), entry(monitor),
                                      WarningLine("MouseCursorMonitor not inited"), exit(monitor), exit(hostMonitor),
                                      InfoLine("Host not started yet"), exit(host), exit("remoteControlStopHost")));

    ASSERT_EQ(StartWindow(), 0);
    Forget();
    session.Receive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, Viewport(0, 480));
    const char* const converter = "TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost::Reset";
    EXPECT_THAT(Logged(), ElementsAre(InfoLine("Notify host the viewport size of client"), InfoLine("Viewport Size Changed"),
                                      entry(converter), ErrorLine("Client viewport area size must be Non-Zero!"),
                                      exit(converter)));
}

// A payload no handler wants is never read, nor is any after a stop: the address
// given here would crash a read.
TEST_F(PluginTest, UnservedMessagesAndRefusedCommandsPassSilently)
{
    const PluginExports& plugin = session.plugin;
    void* const unreadable = reinterpret_cast<void*>(uintptr_t{8});
    EXPECT_TRUE(plugin.onReceive(TESSARIL_MSG_KEY_EVENT, nullptr));
    EXPECT_TRUE(plugin.onReceive(15000000, unreadable));
    EXPECT_TRUE(plugin.onDelegate(TESSARIL_MSG_KEY_EVENT, unreadable));
    TessarilResultOnlyCommand command{-1};
    EXPECT_FALSE(plugin.callEvent(TESSARIL_CMD_STOP_HOST, nullptr));
    EXPECT_FALSE(plugin.callEvent(0, &command));
    EXPECT_FALSE(plugin.callEvent(25600000, &command));
    EXPECT_FALSE(plugin.callEvent(TESSARIL_MSG_KEY_EVENT, &command));
    EXPECT_EQ(command.result, -1);
    EXPECT_TRUE(plugin.callDrop(TESSARIL_CMD_STOP_HOST));
    EXPECT_THAT(RecordingLogger::Lines(), IsEmpty());
    for (const bool started : {true, false}) {
        SCOPED_TRACE(started ? "started" : "stopped");
        Restart();
        ASSERT_EQ(StartWindow(), 0);
        if (!started) {
            ASSERT_EQ(session.StopHost(), 0);
        }
        Forget();
        std::vector<uint64_t> ids{TESSARIL_MSG_TOUCH_EVENT_ARRAY, TESSARIL_MSG_TEXT_PAIR_A, TESSARIL_MSG_TEXT_PAIR_B};
        if (!started) {
            ids.insert(ids.end(), {TESSARIL_MSG_KEY_EVENT, TESSARIL_MSG_MOUSE_EVENT, TESSARIL_MSG_MOUSE_EVENT_ARRAY,
                                   TESSARIL_MSG_CLIENT_VIEWPORT_INFO, TESSARIL_MSG_CHANNEL_AVAILABLE,
                                   TESSARIL_MSG_CHANNEL_UNAVAILABLE, TESSARIL_MSG_OPEN_CHANNEL_RESPONSE,
                                   TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE});
        }
        for (const uint64_t id : ids) {
            EXPECT_TRUE(plugin.onReceive(id, unreadable));
        }
        EXPECT_THAT(Logged(), IsEmpty());
        EXPECT_THAT(session.recorder.Lines(), IsEmpty());
        EXPECT_THAT(SimulatedDesktop::Journal(), IsEmpty());
    }
}

}  // namespace
