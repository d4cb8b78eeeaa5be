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

// "level message" of every line of the file, each checked against the line format.
std::vector<std::string> ReadLog(const fs::path& file)
{
    static const std::regex kLine(R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\] \[\d+\] \[(\w+)\] (.*?)\r?$)");
    std::vector<std::string> lines;
    std::ifstream in(file);
    std::smatch match;
    for (std::string line; std::getline(in, line);) {
        EXPECT_TRUE(std::regex_match(line, match, kLine)) << "malformed line in " << file << ": " << line;
        lines.push_back(match[1].str() + " " + match[2].str());
    }
    return lines;
}

// What users find in the log folder: missing folders created, the stem's file
// and the older ones numbered, the oldest kept with the highest number, the
// kept lines running on without a gap.
TEST(TessarilLoggerTest, FilesRotateAtTheSizeLimitAndKeepTheGivenCount)
{
    constexpr int kLines = 100;
    const fs::path dir = fs::temp_directory_path() / ("tessaril_logger_" + std::to_string(std::random_device{}()));
    const fs::path nested = dir / "a" / "b";
    ASSERT_EQ(CreateTessarilLogger(1000, nested.string().c_str(), "stem", "rotating", 0, 3, 1), TESSARIL_LOG_OK);
    const std::string padding(60, 'r');
    for (int i = 0; i < kLines; ++i) {
        TessarilLogWrite("rotating", TESSARIL_LOG_INFO, (padding + std::to_string(i)).c_str());
    }
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(nested)) {
        names.insert(entry.path().filename().string());
        EXPECT_LE(entry.file_size(), 1000U) << entry.path();
    }
    EXPECT_EQ(names, (std::set<std::string>{"stem.log", "stem.1.log", "stem.2.log", "stem.3.log"}));
    std::vector<std::string> kept;
    for (const char* file : {"stem.3.log", "stem.2.log", "stem.1.log", "stem.log"}) {
        const std::vector<std::string> lines = ReadLog(nested / file);
        kept.insert(kept.end(), lines.begin(), lines.end());
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(kept[i], "info " + padding + std::to_string(kLines - kept.size() + i));
    }
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

}  // namespace
