#include <gtest/gtest.h>

// GCC 12 with the sanitizers on reports a false maybe-uninitialized inside <regex>.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tessaril_log.h"

namespace fs = std::filesystem;

namespace {

struct LogLine {
    std::string thread;
    std::string level;
    std::string message;
};

std::optional<LogLine> ParseLine(const std::string& line)
{
    static const std::regex kLine(R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\] \[(\d+)\] \[(\w+)\] (.*?)\r?$)");
    std::smatch match;
    if (!std::regex_match(line, match, kLine)) {
        return std::nullopt;
    }
    return LogLine{match[1], match[2], match[3]};
}

std::vector<LogLine> ReadLog(const fs::path& file)
{
    std::vector<LogLine> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const std::optional<LogLine> parsed = ParseLine(line);
        EXPECT_TRUE(parsed.has_value()) << "malformed line in " << file << ": " << line;
        if (parsed) {
            lines.push_back(*parsed);
        }
    }
    return lines;
}

std::vector<std::string> Messages(const fs::path& file)
{
    std::vector<std::string> messages;
    for (const LogLine& line : ReadLog(file)) {
        messages.push_back(line.message);
    }
    return messages;
}

// Long lines, so that two writes torn into each other would show.
std::string ThreadLine(int thread, int line)
{
    std::string text = std::to_string(thread);
    text += ':';
    text += std::to_string(line);
    text.append(200, 'p');
    return text;
}

class TessarilLoggerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        name_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir_ = fs::temp_directory_path() / ("tessaril_logger_" + name_ + "_" + std::to_string(std::random_device{}()));
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    int32_t Create(const fs::path& dir, int32_t maxBytes = 0, int32_t lowestLevel = 0, int32_t keptFiles = 7,
                   int32_t flushEveryLine = 1)
    {
        return CreateTessarilLogger(maxBytes, dir.string().c_str(), "stem", name_.c_str(), lowestLevel, keptFiles,
                                    flushEveryLine);
    }

    int32_t Write(int32_t level, const std::string& message)
    {
        return TessarilLogWrite(name_.c_str(), level, message.c_str());
    }

    std::string name_;
    fs::path dir_;
};

TEST_F(TessarilLoggerTest, LinesFromManyThreadsArriveWhole)
{
    constexpr int kThreads = 8;
    constexpr int kLinesEach = 500;
    // About sixteen rotations on the way, every file kept: rotating must not cut or lose a line either.
    ASSERT_EQ(Create(dir_, 64 * 1024, 0, 100), TESSARIL_LOG_OK);
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&, t] {
            for (int i = 0; i < kLinesEach; ++i) {
                Write(TESSARIL_LOG_INFO, ThreadLine(t, i));
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }

    std::set<std::string> expected;
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kLinesEach; ++i) {
            expected.insert(ThreadLine(t, i));
        }
    }
    std::multiset<std::string> messages;
    std::set<std::string> threads;
    for (const fs::directory_entry& file : fs::directory_iterator(dir_)) {
        for (const LogLine& line : ReadLog(file.path())) {
            messages.insert(line.message);
            threads.insert(line.thread);
        }
    }
    EXPECT_TRUE(std::equal(messages.begin(), messages.end(), expected.begin(), expected.end()))
        << messages.size() << " lines of " << expected.size() << " arrived";
    EXPECT_EQ(threads.size(), kThreads);
}

TEST_F(TessarilLoggerTest, LevelNumbersWriteNearestLevelName)
{
    const struct {
        int32_t level;
        const char* name;
    } kCases[] = {{1, "trace"},    {2, "debug"}, {3, "info"},  {4, "warning"},  {5, "error"},
                  {6, "critical"}, {0, "trace"}, {-9, "trace"}, {7, "critical"}, {1000, "critical"}};
    ASSERT_EQ(Create(dir_), TESSARIL_LOG_OK);
    for (const auto& c : kCases) {
        ASSERT_EQ(Write(c.level, "level " + std::to_string(c.level)), TESSARIL_LOG_OK);
    }

    const std::vector<LogLine> lines = ReadLog(dir_ / "stem.log");
    ASSERT_EQ(lines.size(), std::size(kCases));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(kCases[i].level);
        EXPECT_EQ(lines[i].level, kCases[i].name);
        EXPECT_EQ(lines[i].message, "level " + std::to_string(kCases[i].level));
    }
}

TEST_F(TessarilLoggerTest, LowestLevelDropsLinesBelowIt)
{
    ASSERT_EQ(Create(dir_, 0, TESSARIL_LOG_WARNING), TESSARIL_LOG_OK);
    for (int32_t level = TESSARIL_LOG_TRACE; level <= TESSARIL_LOG_CRITICAL; ++level) {
        Write(level, "some line");
    }

    std::vector<std::string> levels;
    for (const LogLine& line : ReadLog(dir_ / "stem.log")) {
        levels.push_back(line.level);
    }
    EXPECT_EQ(levels, (std::vector<std::string>{"warning", "error", "critical"}));
}

TEST_F(TessarilLoggerTest, RefusedCallsWriteNothing)
{
    ASSERT_EQ(Create(dir_), TESSARIL_LOG_OK);
    const std::string dir = dir_.string();
    const struct {
        const char* label;
        std::function<int32_t()> call;
        int32_t result;
    } kCases[] = {
        {"unknown name", [] { return TessarilLogWrite("never_created", 5, "lost"); },
         TESSARIL_LOG_ERROR_UNKNOWN_LOGGER},
        {"write, null name", [] { return TessarilLogWrite(nullptr, 3, "lost"); }, TESSARIL_LOG_ERROR_BAD_ARGUMENT},
        {"write, null message", [&] { return TessarilLogWrite(name_.c_str(), 3, nullptr); },
         TESSARIL_LOG_ERROR_BAD_ARGUMENT},
        {"create, null name", [&] { return CreateTessarilLogger(0, dir.c_str(), "other", nullptr, 0, 7, 1); },
         TESSARIL_LOG_ERROR_BAD_ARGUMENT},
        {"create, empty name", [&] { return CreateTessarilLogger(0, dir.c_str(), "other", "", 0, 7, 1); },
         TESSARIL_LOG_ERROR_BAD_ARGUMENT},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.call(), c.result);
    }
    EXPECT_TRUE(ReadLog(dir_ / "stem.log").empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(TessarilLoggerTest, FilesRotateAtSizeLimitAndKeepTheGivenCount)
{
    constexpr int32_t kMaxBytes = 1000;
    constexpr int kLines = 100;
    ASSERT_EQ(Create(dir_, kMaxBytes, 0, 3), TESSARIL_LOG_OK);
    const std::string padding(60, 'r');
    for (int i = 0; i < kLines; ++i) {
        Write(TESSARIL_LOG_INFO, padding + std::to_string(i));
    }

    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
        names.insert(entry.path().filename().string());
        EXPECT_LE(entry.file_size(), kMaxBytes) << entry.path();
    }
    ASSERT_EQ(names, (std::set<std::string>{"stem.log", "stem.1.log", "stem.2.log", "stem.3.log"}));
    // Oldest kept file first, the lines must run on without a gap up to the last one written.
    std::vector<LogLine> kept;
    for (const char* file : {"stem.3.log", "stem.2.log", "stem.1.log", "stem.log"}) {
        const std::vector<LogLine> lines = ReadLog(dir_ / file);
        kept.insert(kept.end(), lines.begin(), lines.end());
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(kept[i].message, padding + std::to_string(kLines - kept.size() + i));
    }
}

TEST_F(TessarilLoggerTest, SecondCreateWithSameNameKeepsWorking)
{
    using Lines = std::vector<std::string>;
    const struct {
        const char* label;
        Lines inFirst;
        Lines inSecond;
    } kCases[] = {{"same_folder", {"before", "after"}, {"before", "after"}},
                  {"new_folder", {"before"}, {"after"}}};
    const std::string testName = name_;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.label);
        name_ = testName + c.label;
        const fs::path first = dir_ / c.label / "first";
        const fs::path second = c.inFirst == c.inSecond ? first : dir_ / c.label / "second";
        ASSERT_EQ(Create(first), TESSARIL_LOG_OK);
        ASSERT_EQ(Write(TESSARIL_LOG_INFO, "before"), TESSARIL_LOG_OK);
        ASSERT_EQ(Create(second), TESSARIL_LOG_OK);
        ASSERT_EQ(Write(TESSARIL_LOG_INFO, "after"), TESSARIL_LOG_OK);

        EXPECT_EQ(Messages(first / "stem.log"), c.inFirst);
        EXPECT_EQ(Messages(second / "stem.log"), c.inSecond);
    }
}

TEST_F(TessarilLoggerTest, FailedCreateKeepsEarlierLogger)
{
    ASSERT_EQ(Create(dir_), TESSARIL_LOG_OK);
    std::ofstream(dir_ / "plain_file") << "a file where a folder should be";

    EXPECT_EQ(Create(dir_ / "plain_file" / "logs"), TESSARIL_LOG_ERROR_FAILED);
    EXPECT_EQ(Write(TESSARIL_LOG_INFO, "still here"), TESSARIL_LOG_OK);
    EXPECT_EQ(Messages(dir_ / "stem.log"), std::vector<std::string>{"still here"});
}

TEST_F(TessarilLoggerTest, FileLandsAtDirectoryAndStemCreatingTheDirectory)
{
    const struct {
        const char* label;
        std::string directory;
        fs::path file;
    } kCases[] = {
        {"missing nested folders", (dir_ / "a" / "b").string(), dir_ / "a" / "b" / "stem.log"},
        {"trailing separator", (dir_ / "c").string() + "/", dir_ / "c" / "stem.log"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.label);
        ASSERT_EQ(Create(c.directory), TESSARIL_LOG_OK);
        ASSERT_EQ(Write(TESSARIL_LOG_INFO, c.label), TESSARIL_LOG_OK);
        EXPECT_EQ(Messages(c.file), std::vector<std::string>{c.label});
    }
}

TEST_F(TessarilLoggerTest, MissingDirectoryStemAndSizeFallBackToDefaults)
{
    const struct {
        const char* loggerName;
        int32_t maxBytes;
        const char* text;
    } kCases[] = {{"null_texts_zero_size", 0, nullptr}, {"empty_texts_negative_size", -1, ""}};
    fs::create_directories(dir_);
    const fs::path previous = fs::current_path();
    fs::current_path(dir_);
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.loggerName);
        EXPECT_EQ(CreateTessarilLogger(c.maxBytes, c.text, c.text, c.loggerName, 0, 7, 1), TESSARIL_LOG_OK);
        EXPECT_EQ(TessarilLogWrite(c.loggerName, TESSARIL_LOG_INFO, "here"), TESSARIL_LOG_OK);
        EXPECT_EQ(ReadLog(dir_ / (std::string(c.loggerName) + ".log")).size(), 1U);
    }
    fs::current_path(previous);
}

TEST_F(TessarilLoggerTest, FlushArgumentDecidesWhenLinesReachTheFile)
{
    const struct {
        const char* label;
        int32_t flushEveryLine;
        int32_t level;
        bool onDisk;
    } kCases[] = {{"flushed info", 1, TESSARIL_LOG_INFO, true},
                  {"buffered info", 0, TESSARIL_LOG_INFO, false},
                  {"buffered error", 0, TESSARIL_LOG_ERROR, true}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.label);
        const fs::path dir = dir_ / c.label;
        ASSERT_EQ(Create(dir, 0, 0, 7, c.flushEveryLine), TESSARIL_LOG_OK);
        ASSERT_EQ(Write(c.level, c.label), TESSARIL_LOG_OK);
        EXPECT_EQ(ReadLog(dir / "stem.log").size(), c.onDisk ? 1U : 0U);
    }
}

}  // namespace
