#include <gtest/gtest.h>

// GCC 12 with the sanitizers on reports a false maybe-uninitialized inside <regex>.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tessaril_log.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

struct LogLine {
    std::string thread;
    std::string level;
    std::string message;
};

// Every line of the file, each checked against the line format.
std::vector<LogLine> ReadLog(const fs::path& file)
{
    static const std::regex kLine(R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\] \[(\d+)\] \[(\w+)\] (.*?)\r?$)");
    std::vector<LogLine> lines;
    std::ifstream in(file);
    std::smatch match;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_match(line, match, kLine)) {
            lines.push_back({match[1], match[2], match[3]});
        } else {
            ADD_FAILURE() << "malformed line in " << file << ": " << line;
        }
    }
    return lines;
}

Lines Messages(const fs::path& file)
{
    Lines messages;
    for (const LogLine& line : ReadLog(file)) {
        messages.push_back(line.message);
    }
    return messages;
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
    // Long lines, so that two writes torn into each other would show.
    // Built by appending: GCC 12 at -O3 (the mingw builds) takes the chained
    // operator+ for an overlapping memcpy and stops on -Werror=restrict.
    const auto text = [](int thread, int line) {
        std::string words = std::to_string(thread);
        words += ':';
        words += std::to_string(line);
        return words.append(200, 'p');
    };
    // About sixteen rotations on the way, every file kept: rotating must not cut or lose a line either.
    ASSERT_EQ(Create(dir_, 64 * 1024, 0, 100), TESSARIL_LOG_OK);
    std::multiset<std::string> expected;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&, t] {
            for (int i = 0; i < kLinesEach; ++i) {
                Write(TESSARIL_LOG_INFO, text(t, i));
            }
        });
        for (int i = 0; i < kLinesEach; ++i) {
            expected.insert(text(t, i));
        }
    }
    for (std::thread& writer : writers) {
        writer.join();
    }

    std::multiset<std::string> messages;
    std::set<std::string> threads;
    for (const fs::directory_entry& file : fs::directory_iterator(dir_)) {
        for (const LogLine& line : ReadLog(file.path())) {
            messages.insert(line.message);
            threads.insert(line.thread);
        }
    }
    EXPECT_TRUE(messages == expected) << messages.size() << " lines of " << expected.size() << " arrived";
    EXPECT_EQ(threads.size(), kThreads);
}

TEST_F(TessarilLoggerTest, LevelNumbersWriteNearestLevelName)
{
    const struct { int32_t level; const char* name; } rows[] = {
        {1, "trace"},    {2, "debug"}, {3, "info"},  {4, "warning"},  {5, "error"},
        {6, "critical"}, {0, "trace"}, {-9, "trace"}, {7, "critical"}, {1000, "critical"}};
    ASSERT_EQ(Create(dir_), TESSARIL_LOG_OK);
    for (const auto& row : rows) {
        ASSERT_EQ(Write(row.level, "level " + std::to_string(row.level)), TESSARIL_LOG_OK);
    }

    const std::vector<LogLine> lines = ReadLog(dir_ / "stem.log");
    ASSERT_EQ(lines.size(), std::size(rows));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(rows[i].level);
        EXPECT_EQ(lines[i].level, rows[i].name);
        EXPECT_EQ(lines[i].message, "level " + std::to_string(rows[i].level));
    }
}

TEST_F(TessarilLoggerTest, LowestLevelDropsLinesBelowIt)
{
    ASSERT_EQ(Create(dir_, 0, TESSARIL_LOG_WARNING), TESSARIL_LOG_OK);
    for (int32_t level = TESSARIL_LOG_TRACE; level <= TESSARIL_LOG_CRITICAL; ++level) {
        Write(level, "some line");
    }
    Lines levels;
    for (const LogLine& line : ReadLog(dir_ / "stem.log")) {
        levels.push_back(line.level);
    }
    EXPECT_EQ(levels, (Lines{"warning", "error", "critical"}));
}

TEST_F(TessarilLoggerTest, RefusedCallsWriteNothing)
{
    ASSERT_EQ(Create(dir_), TESSARIL_LOG_OK);
    const std::string dir = dir_.string();
    const struct { const char* label; std::function<int32_t()> call; int32_t result; } rows[] = {
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(row.call(), row.result);
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
    Lines kept;
    for (const char* file : {"stem.3.log", "stem.2.log", "stem.1.log", "stem.log"}) {
        const Lines lines = Messages(dir_ / file);
        kept.insert(kept.end(), lines.begin(), lines.end());
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(kept[i], padding + std::to_string(kLines - kept.size() + i));
    }
}

// A second create under the same name replaces the logger; one that fails
// (a plain file where its folder should be) leaves the first one writing.
TEST_F(TessarilLoggerTest, SecondCreateWithSameNameReplacesTheLoggerOrKeepsItOnFailure)
{
    const struct { const char* label; fs::path second; int32_t result; Lines inFirst, inSecond; } rows[] = {
        {"same_folder", "first", TESSARIL_LOG_OK, {"before", "after"}, {"before", "after"}},
        {"new_folder", "second", TESSARIL_LOG_OK, {"before"}, {"after"}},
        {"failed", fs::path("first") / "plain_file" / "logs", TESSARIL_LOG_ERROR_FAILED, {"before", "after"}, {}},
    };
    const std::string testName = name_;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        name_ = testName + row.label;
        const fs::path first = dir_ / row.label / "first";
        ASSERT_EQ(Create(first), TESSARIL_LOG_OK);
        std::ofstream(first / "plain_file") << "a file where a folder should be";
        ASSERT_EQ(Write(TESSARIL_LOG_INFO, "before"), TESSARIL_LOG_OK);
        ASSERT_EQ(Create(dir_ / row.label / row.second), row.result);
        ASSERT_EQ(Write(TESSARIL_LOG_INFO, "after"), TESSARIL_LOG_OK);

        EXPECT_EQ(Messages(first / "stem.log"), row.inFirst);
        EXPECT_EQ(Messages(dir_ / row.label / row.second / "stem.log"), row.inSecond);
    }
}

// Missing folders are created; no directory means the current one, no stem the
// logger's name, and a size of 0 or less the default.
TEST_F(TessarilLoggerTest, FileLandsAtDirectoryAndStemOrTheirDefaults)
{
    const std::string nested = (dir_ / "a" / "b").string();
    const std::string trailing = (dir_ / "c").string() + "/";
    const struct { const char* name; int32_t maxBytes; const char* directory; const char* stem; fs::path file; } rows[] = {
        {"missing nested folders", 0, nested.c_str(), "stem", dir_ / "a" / "b" / "stem.log"},
        {"trailing separator", 0, trailing.c_str(), "stem", dir_ / "c" / "stem.log"},
        {"null_texts_zero_size", 0, nullptr, nullptr, dir_ / "null_texts_zero_size.log"},
        {"empty_texts_negative_size", -1, "", "", dir_ / "empty_texts_negative_size.log"},
    };
    fs::create_directories(dir_);
    const fs::path previous = fs::current_path();
    fs::current_path(dir_);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CreateTessarilLogger(row.maxBytes, row.directory, row.stem, row.name, 0, 7, 1), TESSARIL_LOG_OK);
        EXPECT_EQ(TessarilLogWrite(row.name, TESSARIL_LOG_INFO, row.name), TESSARIL_LOG_OK);
        EXPECT_EQ(Messages(row.file), Lines{row.name});
    }
    fs::current_path(previous);
}

TEST_F(TessarilLoggerTest, FlushArgumentDecidesWhenLinesReachTheFile)
{
    const struct { const char* label; int32_t flushEveryLine; int32_t level; bool onDisk; } rows[] = {
        {"flushed info", 1, TESSARIL_LOG_INFO, true},
        {"buffered info", 0, TESSARIL_LOG_INFO, false},
        {"buffered error", 0, TESSARIL_LOG_ERROR, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const fs::path dir = dir_ / row.label;
        ASSERT_EQ(Create(dir, 0, 0, 7, row.flushEveryLine), TESSARIL_LOG_OK);
        ASSERT_EQ(Write(row.level, row.label), TESSARIL_LOG_OK);
        EXPECT_EQ(ReadLog(dir / "stem.log").size(), row.onDisk ? 1U : 0U);
    }
}

}  // namespace
