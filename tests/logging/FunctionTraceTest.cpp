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

TEST_F(FunctionTraceTest, WritesEntryAndExitWithTheCostToTheLoggerItWasGiven)
{
    {
        FunctionTrace trace("other_logger", "TESSARIL_REMOTECONTROL_HOST::Host::StopHost");
        clock.Advance(3);
    }
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(LoggedLine{"other_logger", 3, "entry TESSARIL_REMOTECONTROL_HOST::Host::StopHost"},
                            LoggedLine{"other_logger", 3, "exit TESSARIL_REMOTECONTROL_HOST::Host::StopHost, cost : 3"}));
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

TEST_F(FunctionTraceTest, ClockSetBackShowsAsUnsignedWrapAround)
{
    {
        FunctionTrace trace(kLogger, "Op");
        clock.Advance(1 - 5);  // 1 ms of work while the clock went back 5 ms
    }
    EXPECT_EQ(RecordingLogger::Lines().back(), InfoLine("exit Op, cost : 18446744073709551612"));
}

}  // namespace
