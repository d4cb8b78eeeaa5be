#include <gtest/gtest.h>

// GCC 12 with the sanitizers on reports a false maybe-uninitialized inside <regex>.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tessaril_log.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// "level message" of every line of the file, each checked against the line format.
Lines ReadLog(const fs::path& file)
{
    static const std::regex kLine(R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\] \[\d+\] \[(\w+)\] (.*?)\r?$)");
    Lines lines;
    std::ifstream in(file);
    std::smatch match;
    for (std::string line; std::getline(in, line);) {
        EXPECT_TRUE(std::regex_match(line, match, kLine)) << "malformed line in " << file << ": " << line;
        lines.push_back(match[1].str() + " " + match[2].str());
    }
    return lines;
}

// Every test writes below a folder of its own, removed afterwards.
class TessarilLoggerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir = fs::temp_directory_path() / ("tessaril_logger_" + name + "_" + std::to_string(std::random_device{}()));
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    int32_t Create(int32_t maxBytes, int32_t lowestLevel, int32_t kept)
    {
        return CreateTessarilLogger(maxBytes, dir.string().c_str(), "stem", name.c_str(), lowestLevel, kept, 1);
    }
    int32_t Write(int32_t level, const std::string& message)
    {
        return TessarilLogWrite(name.c_str(), level, message.c_str());
    }

    std::string name;
    fs::path dir;
};

// The oldest kept file has the highest number; the kept lines run on without a gap.
TEST_F(TessarilLoggerTest, FilesRotateAtTheSizeLimitAndKeepTheGivenCount)
{
    constexpr int kLines = 100;
    ASSERT_EQ(Create(1000, 0, 3), TESSARIL_LOG_OK);
    const std::string padding(60, 'r');
    for (int i = 0; i < kLines; ++i) {
        Write(TESSARIL_LOG_INFO, padding + std::to_string(i));
    }
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
        EXPECT_LE(entry.file_size(), 1000U) << entry.path();
    }
    ASSERT_EQ(names, (std::set<std::string>{"stem.log", "stem.1.log", "stem.2.log", "stem.3.log"}));
    Lines kept;
    for (const char* file : {"stem.3.log", "stem.2.log", "stem.1.log", "stem.log"}) {
        const Lines lines = ReadLog(dir / file);
        kept.insert(kept.end(), lines.begin(), lines.end());
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(kept[i], "info " + padding + std::to_string(kLines - kept.size() + i));
    }
}

// Missing folders are created; no directory means the current one, no stem the
// logger's name, and a size of 0 or less the default.
TEST_F(TessarilLoggerTest, FileLandsAtTheDirectoryAndStemOrTheirDefaults)
{
    const std::string nested = (dir / "a" / "b").string();
    const std::string trailing = (dir / "c").string() + "/";
    const struct { const char* name; int32_t maxBytes; const char* directory; const char* stem; fs::path file; } rows[] = {
        {"missing nested folders", 0, nested.c_str(), "stem", dir / "a" / "b" / "stem.log"},
        {"trailing separator", 0, trailing.c_str(), "stem", dir / "c" / "stem.log"},
        {"null_texts_zero_size", 0, nullptr, nullptr, dir / "null_texts_zero_size.log"},
        {"empty_texts_negative_size", -1, "", "", dir / "empty_texts_negative_size.log"},
    };
    fs::create_directories(dir);
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CreateTessarilLogger(row.maxBytes, row.directory, row.stem, row.name, 0, 7, 1), TESSARIL_LOG_OK);
        EXPECT_EQ(TessarilLogWrite(row.name, TESSARIL_LOG_INFO, row.name), TESSARIL_LOG_OK);
        EXPECT_EQ(ReadLog(row.file), Lines{std::string("info ") + row.name});
    }
    fs::current_path(previous);
}

}  // namespace
