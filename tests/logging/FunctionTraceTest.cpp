#include "logging/FunctionTrace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "FakeClock.h"
#include "RecordingLogger.h"
#include "logging/LogInstance.h"

namespace {

using ::testing::ElementsAre;
using TESSARIL_LOG::FunctionTrace;

const std::string kLogger = "tessaril_remotecontrol_host";

class FunctionTraceTest : public ::testing::Test {
protected:
    void SetUp() override { RecordingLogger::Clear(); }

    FakeClock clock;
};

TEST_F(FunctionTraceTest, WritesEntryAndExitWithTheCost)
{
    {
        FunctionTrace trace(kLogger, "TESSARIL_REMOTECONTROL_HOST::Host::StopHost");
        clock.Advance(3);
    }
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("entry TESSARIL_REMOTECONTROL_HOST::Host::StopHost"),
                            InfoLine("exit TESSARIL_REMOTECONTROL_HOST::Host::StopHost, cost : 3")));
}

TEST_F(FunctionTraceTest, WritesToTheLoggerItWasGiven)
{
    { FunctionTrace trace("other_logger", "Init"); }
    const auto lines = RecordingLogger::Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], (LoggedLine{"other_logger", 3, "entry Init"}));
    EXPECT_EQ(lines[1], (LoggedLine{"other_logger", 3, "exit Init, cost : 0"}));
}

int RefusedOperation(FakeClock& clock)
{
    FunctionTrace trace(kLogger, "remoteControlStopHost");
    clock.Advance(1);
    TESSARIL_LOG::LogError("HostNotStartedYet");
    return 6;
}

TEST_F(FunctionTraceTest, EarlyReturnStillWritesExitLast)
{
    EXPECT_EQ(RefusedOperation(clock), 6);
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("entry remoteControlStopHost"), ErrorLine("HostNotStartedYet"),
                            InfoLine("exit remoteControlStopHost, cost : 1")));
}

TEST_F(FunctionTraceTest, ExceptionLeavingTheOperationStillWritesExit)
{
    EXPECT_THROW(
        {
            FunctionTrace trace(kLogger, "Throwing");
            throw std::runtime_error("boom");
        },
        std::runtime_error);
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("entry Throwing"), InfoLine("exit Throwing, cost : 0")));
}

TEST_F(FunctionTraceTest, NestedTracesGiveNestedPairs)
{
    {
        FunctionTrace outer(kLogger, "ExportedInit");
        clock.Advance(2);
        { FunctionTrace inner(kLogger, "Init"); }
    }
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("entry ExportedInit"), InfoLine("entry Init"),
                            InfoLine("exit Init, cost : 0"), InfoLine("exit ExportedInit, cost : 2")));
}

TEST_F(FunctionTraceTest, ClockSetBackShowsAsUnsignedWrapAround)
{
    {
        FunctionTrace trace(kLogger, "Op");
        clock.Advance(1 - 5);  // 1 ms of work while the clock went back 5 ms
    }
    EXPECT_EQ(RecordingLogger::Lines().back(), InfoLine("exit Op, cost : 18446744073709551612"));
}

}  // namespace
