#include <functional>

#include "AllocationCounter.h"
#include "PluginTest.h"
#include "host/ZivizevEventLoop.h"
#include "logging/LogInstance.h"
#include "messaging/Notifier.h"
#include "messaging/Plugin.h"
#include "messaging/TessarilPylonRequester.h"
#include "messaging/TessarilPylonResponser.h"
#include "messaging/TessarilPylonSlot.h"
#include "messaging/TessarilServerApiRequester.h"
#include "messaging/TessarilServerApiResponser.h"
#include "messaging/TessarilServerApiSlot.h"

namespace {

using namespace TESSARIL_REMOTECONTROL_HOST;

TEST_F(PluginTest, FirstLineIsTheEntryOfExportedInitAfterTheLoggerExists)
{
    ExportedUninit();
    RecordingLogger::Clear();

    InitPlugin(&table);

    ASSERT_FALSE(RecordingLogger::Lines().empty());
    EXPECT_EQ(RecordingLogger::Lines().front(), InfoLine("entry ExportedInit"));
    EXPECT_EQ(RecordingLogger::Lines().back(), InfoLine("exit ExportedInit, cost : 0"));
    ASSERT_FALSE(RecordingLogger::Creations().empty());
    EXPECT_EQ(RecordingLogger::Creations().back(),
              (LoggerCreation{3, "one", "two", "tessaril_remotecontrol_host", 0, 7, 1}));
}

struct CommandRow {
    const char* label;
    bool startFirst;
    uint64_t commandId;
    int64_t expectedResult;
    LoggedLine expectedLine;
};

// Runs one command on a payload of its own layout; the result as written.
int64_t RunCommand(uint64_t commandId, HWND window)
{
    static const char* const titles[] = {"Team chat"};
    switch (commandId) {
    case TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW:
    case TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW: {
        TessarilIgnoreWindowRequest request{2, nullptr, 0, 1000, 0, titles, 1, 0, -1};
        EXPECT_TRUE(ExportedCallEvent(commandId, &request));
        return request.result;
    }
    case TESSARIL_CMD_START_HOST: {
        TessarilStartHostCommand command{"viewer", IdOf(window), false, -1};
        EXPECT_TRUE(ExportedCallEvent(commandId, &command));
        return command.result;
    }
    case TESSARIL_CMD_RESET_SCREEN:
    case TESSARIL_CMD_RESET_WINDOW: {
        TessarilResetTargetCommand command{static_cast<int64_t>(IdOf(window)), -1};
        EXPECT_TRUE(ExportedCallEvent(commandId, &command));
        return command.result;
    }
    default: {
        TessarilResultOnlyCommand command{-1};
        EXPECT_TRUE(ExportedCallEvent(commandId, &command));
        return command.result;
    }
    }
}

TEST_F(PluginTest, CommandsAnswerWithTheirResultCodeAndLine)
{
    const LoggedLine notStarted = ErrorLine("HostNotStartedYet");
    const CommandRow rows[] = {
        {"stop before start", false, TESSARIL_CMD_STOP_HOST, 6, InfoLine("Host not started yet")},
        {"add ignore before start", false, TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, 6, notStarted},
        {"remove ignore before start", false, TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW, 6, notStarted},
        {"clear ignore before start", false, TESSARIL_CMD_CLEAR_HOST_IGNORE_WINDOW, 6, notStarted},
        {"reset screen before start", false, TESSARIL_CMD_RESET_SCREEN, 6, notStarted},
        {"reset window before start", false, TESSARIL_CMD_RESET_WINDOW, 6, notStarted},
        {"second start", true, TESSARIL_CMD_START_HOST, 5, InfoLine("Host started Already")},
        {"add ignore while started", true, TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, 0, InfoLine("exit remoteControlAddHostIgnoreWindow, cost : 0")},
        {"reset window while started", true, TESSARIL_CMD_RESET_WINDOW, 0, InfoLine("exit remoteControlResetWindow, cost : 0")},
        {"stop while started", true, TESSARIL_CMD_STOP_HOST, 0, InfoLine("exit remoteControlStopHost, cost : 0")},
    };
    for (const CommandRow& row : rows) {
        SCOPED_TRACE(row.label);
        StopHost();
        if (row.startFirst) {
            ASSERT_EQ(StartWindow(editor), 0);
        }
        RecordingLogger::Clear();

        EXPECT_EQ(RunCommand(row.commandId, editor), row.expectedResult);
        EXPECT_THAT(RecordingLogger::Lines(), ::testing::Contains(row.expectedLine));
    }
}

TEST_F(PluginTest, StartStopAndStartAgainEachRegisterAnew)
{
    EXPECT_EQ(StartWindow(editor, "first"), 0);
    EXPECT_EQ(StopHost(), 0);
    EXPECT_EQ(StartScreen(), 0);
    EXPECT_EQ(StopHost(), 0);

    EXPECT_THAT(RecordingHostApplication::Take(),
                ElementsAre("register first", "unregister", "unregister", "register viewer", "unregister",
                            "unregister"));
}

TEST_F(PluginTest, UnservedMessagesAndRefusedCommandsPassSilently)
{
    EXPECT_TRUE(ExportedOnReceive(TESSARIL_MSG_KEY_EVENT, nullptr));
    EXPECT_TRUE(ExportedOnReceive(15000000, "unread"));
    EXPECT_TRUE(ExportedOnDelegate(TESSARIL_MSG_KEY_EVENT, "unread"));
    TessarilResultOnlyCommand command{-1};
    EXPECT_FALSE(ExportedCallEvent(TESSARIL_CMD_STOP_HOST, nullptr));
    EXPECT_FALSE(ExportedCallEvent(0, &command));
    EXPECT_FALSE(ExportedCallEvent(25600000, &command));
    EXPECT_FALSE(ExportedCallEvent(TESSARIL_MSG_KEY_EVENT, &command));

    EXPECT_EQ(command.result, -1);
    EXPECT_THAT(RecordingLogger::Lines(), ::testing::IsEmpty());
    EXPECT_THAT(RecordingHostApplication::Lines(), ::testing::IsEmpty());
    EXPECT_THAT(SimulatedDesktop::Journal(), ::testing::IsEmpty());
    EXPECT_TRUE(ExportedCallDrop(TESSARIL_CMD_STOP_HOST));
}

TEST_F(PluginTest, UninitDestroysTheSingletonsInOrderAndStillWritesItsExitLine)
{
    const std::vector<const void*> singletons = {
        ZivizevEventLoop::GetInstance(),          Plugin::GetInstance(),
        Notifier::GetInstance(),                  TessarilPylonRequester::GetInstance(),
        TessarilPylonResponser::GetInstance(),    TessarilPylonSlot::GetInstance(),
        TessarilServerApiRequester::GetInstance(), TessarilServerApiResponser::GetInstance(),
        TessarilServerApiSlot::GetInstance(),     TESSARIL_LOG::LogInstance::GetInstance(),
    };
    AllocationCounter::WatchReleases(singletons);

    EXPECT_TRUE(ExportedUninit());

    EXPECT_EQ(AllocationCounter::WatchedReleases(), singletons);
    EXPECT_EQ(RecordingLogger::Lines().back(), InfoLine("exit ExportedUninit, cost : 0"));
    EXPECT_EQ(loop.Journal().back(), "unregisterListener " + std::to_string(TestEventLoop::kRegistrationHandle));
    InitPlugin(&table);  // TearDown uninitialises once more
}

TEST_F(PluginTest, WithoutEventLoopCursorBatchesAreDroppedAndTheRestWorks)
{
    ExportedUninit();
    InitPlugin(nullptr);
    ASSERT_EQ(StartWindow(editor), 0);
    Key('A', true, 1);

    std::this_thread::sleep_for(std::chrono::milliseconds(250));  // some 25 ticks
    EXPECT_EQ(StopHost(), 0);

    EXPECT_THAT(RecordingHostApplication::Take(), ElementsAre("register viewer", ::testing::StartsWith("report PacketDealTime"),
                                                               "unregister", "unregister"));
    EXPECT_THAT(SimulatedDesktop::Journal(), ::testing::Contains(Send({KeyRec('A', false)})));
    EXPECT_THAT(loop.Journal(), ::testing::Not(::testing::Contains(::testing::StartsWith("postTask"))));
}

}  // namespace
