#include "logging/LogInstance.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "RecordingLogger.h"

namespace {

using ::testing::ElementsAre;
using TESSARIL_LOG::LogInfo;

class LogInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { RecordingLogger::Clear(); }
};

TEST_F(LogInstanceTest, FormatsEveryArgumentKindTheSystemPasses)
{
    const std::string text = "tessaril";
    const char* cText = "text";
    LogInfo("Window ID = {},{}", uint64_t{18446744073709551615u}, true);
    LogInfo("{} {} {}", text, cText, false);
    LogInfo("{} {} {} {}", int32_t{-7}, uint32_t{4294967295u}, int64_t{-9223372036854775807 - 1}, uint64_t{0});
    LogInfo("UpdateIgnoreWindow hwnd is {:#08x}, if add {}", uint64_t{6699}, true);
    LogInfo("UpdateIgnoreWindow hwnd is {:#08x}, if add {}", uint64_t{0xFFFFFFFF80000001u}, false);
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("Window ID = 18446744073709551615,true"), InfoLine("tessaril text false"),
                            InfoLine("-7 4294967295 -9223372036854775808 0"),
                            InfoLine("UpdateIgnoreWindow hwnd is 0x001a2b, if add true"),
                            InfoLine("UpdateIgnoreWindow hwnd is 0xffffffff80000001, if add false")));
}

}  // namespace
