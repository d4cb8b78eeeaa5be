#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "PluginSessionTest.h"
#include "TestWindow.h"

namespace {

using ::testing::Contains;

// gtest's own regular expressions are the simple kind on Windows: no brackets
// or counts, so the lines are matched with std::regex.
MATCHER_P(MatchesRegex, pattern, "matches " + std::string(pattern))
{
    return std::regex_match(arg, std::regex(pattern));
}

// Each line: [local time] [thread] [level] message, ended by CR LF.
constexpr char kPrefix[] = R"(\[[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}\] \[[0-9]+\] )";

std::vector<std::string> LinesOf(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Line(const std::string& levelAndMessage)
{
    return std::string(kPrefix) + levelAndMessage + "\r";
}

using LogFileTest = PluginSessionTest;

TEST_F(LogFileTest, LogFileHoldsCycleFromInitToUninit)
{
    TestWindow shared(ui, {L"TessarilE2eShared", L"Logged window", RECT{100, 100, 300, 300}, 0, false});
    const auto handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(shared.Handle()));
    ASSERT_EQ(StartWindow(shared.Handle()), TESSARIL_RESULT_DONE);
    Click(10, 10, 200, 200);
    FinishCycle();

    const std::vector<std::string> lines = LinesOf(std::filesystem::path(LogFolder()) / (LogStem() + ".log"));
    ASSERT_FALSE(lines.empty());
    EXPECT_THAT(lines.front(), MatchesRegex(Line(R"(\[info\] entry ExportedInit)")));
    EXPECT_THAT(lines, Contains(MatchesRegex(Line(R"(\[info\] entry remoteControlStartHost)"))));
    EXPECT_THAT(lines, Contains(MatchesRegex(Line(R"(\[info\] Window ID = )" + std::to_string(handle) + ",false"))));
    EXPECT_THAT(lines, Contains(MatchesRegex(Line(R"(\[info\] Inject a MouseEvent)"))));
    EXPECT_THAT(lines, Contains(MatchesRegex(Line(R"(\[info\] exit remoteControlStopHost, cost : [0-9]+)"))));
    EXPECT_THAT(lines.back(), MatchesRegex(Line(R"(\[info\] exit ExportedUninit, cost : [0-9]+)")));
}

}  // namespace
