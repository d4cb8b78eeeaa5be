#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "HostAppProgram.h"

// The host application substitute end to end: the demo session replayed by
// the program's own code against the real plugin library, loaded by file.
namespace {

using nlohmann::json;
using TESSARIL_HOST_APP::HostAppProgram;
using testing::ElementsAre;
using testing::HasSubstr;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class HostAppProgramTest : public testing::Test {
protected:
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("host-app-test-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));

    void SetUp() override
    {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }

    void TearDown() override { std::filesystem::remove_all(folder); }

    ProgramRun Run(std::vector<std::string> arguments) const
    {
        std::ostringstream out;
        std::ostringstream err;
        const std::vector<std::string> common{"--plugin", TESSARIL_PLUGIN_FILE, "--log-dir", (folder / "log").string()};
        arguments.insert(arguments.begin(), common.begin(), common.end());
        const int exitCode = HostAppProgram(out, err).Run(arguments);
        return {exitCode, out.str(), err.str()};
    }

    json RunDemo(std::string* text = nullptr) const
    {
        const std::string jsonFile = (folder / "report.json").string();
        const ProgramRun run = Run({"--json", jsonFile, TESSARIL_DEMO_SESSION});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        if (text != nullptr) {
            *text = run.out;
        }
        return json::parse(std::ifstream(jsonFile));
    }

    static std::vector<json> EntriesOfType(const json& report, const std::string& type)
    {
        std::vector<json> entries;
        for (const json& entry : report["entries"]) {
            if (entry["type"] == type) {
                entries.push_back(entry);
            }
        }
        return entries;
    }
};

// Caps Lock follows the viewer before the first key; mouse positions land in
// the shared editor at (100,100)-(900,700) whatever the viewport's size.
TEST_F(HostAppProgramTest, DemoSessionInjectsEveryEventInOrder)
{
    std::vector<std::string> calls;
    for (const json& call : EntriesOfType(RunDemo(), "input")) {
        calls.push_back(call["records"]);
        EXPECT_EQ(call["inserted"], call["requested"]) << call.dump();
    }
    EXPECT_THAT(calls, ElementsAre("key CAPITAL down | key CAPITAL up", "key H down", "key H up", "key SHIFT down",
                                   "key I down", "key I up", "key SHIFT up", "move abs 17066,24272",
                                   "move abs 17066,24272 | left down", "move abs 17066,24272 | left up",
                                   "move abs 17066,24272 | wheel -120", "move abs 17271,24636",
                                   "move abs 17476,25000", "move abs 17681,25364", "move abs 17066,24272"));
}

// While the session waits at its end, the cursor rests where the last move
// left it: (400,300) in the 800x600 editor.
TEST_F(HostAppProgramTest, DemoSessionCursorBatchesArriveOnTheLoopThread)
{
    std::vector<json> batches;
    std::vector<std::string> otherMessages;
    for (const json& message : EntriesOfType(RunDemo(), "out")) {
        if (message["kind"] == "cursor") {
            batches.push_back(message);
        } else {
            otherMessages.push_back(message["kind"].get<std::string>() + " " + message["thread"].get<std::string>());
        }
    }
    ASSERT_FALSE(batches.empty());
    for (const json& batch : batches) {
        SCOPED_TRACE(batch.dump());
        EXPECT_EQ(batch["thread"], "loop");
        EXPECT_EQ(batch["count"], 10);
        EXPECT_EQ(batch["screen"], json({{"width", 800}, {"height", 600}}));
    }
    EXPECT_EQ(batches.back()["last"], json({{"x", 400}, {"y", 300}}));
    EXPECT_THAT(otherMessages, ElementsAre("register command", "channel-available command", "report command",
                                           "unregister command", "unregister command"));
}

// The numbers of the text report's summary line, in order.
std::vector<unsigned long> SummaryNumbers(const std::string& text)
{
    const size_t start = text.find("\nsummary  ");
    const std::string line = text.substr(start + 1, text.find('\n', start + 1) - start - 1);
    std::vector<unsigned long> numbers;
    for (size_t at = line.find_first_of("0123456789"); at != std::string::npos;
         at = line.find_first_of("0123456789", line.find_first_not_of("0123456789", at))) {
        numbers.push_back(std::stoul(line.substr(at)));
    }
    return numbers;
}

// How many cursor batches arrive depends on timing; the two reports must agree.
TEST_F(HostAppProgramTest, JsonReportCountsWhatTheTextReportCounts)
{
    std::string text;
    const json report = RunDemo(&text);
    const json& counts = report["counts"];
    const std::vector<unsigned long> numbers = SummaryNumbers(text);
    const char* names[] = {"commands",       "commandsRefused", "messagesIn",    "messagesOut",
                           "sendInputCalls", "cursorBatches",   "cursorSamples", "latencyReports"};
    ASSERT_EQ(numbers.size(), std::size(names)) << text;
    for (size_t i = 0; i < std::size(names); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(counts[names[i]], numbers[i]);
    }
    for (const json& command : EntriesOfType(report, "command")) {
        EXPECT_EQ(command["result"], 0) << command.dump();
    }
    EXPECT_EQ(counts["commands"], 3);
    EXPECT_EQ(counts["commandsRefused"], 0);
    EXPECT_EQ(counts["sendInputCalls"], 15);
    EXPECT_EQ(counts["messagesIn"], 17);
}

TEST_F(HostAppProgramTest, RefusedRunsExitWithTheirCodeAndSayWhy)
{
    const std::string badSession = (folder / "bad.session").string();
    std::ofstream(badSession) << "desktop caps on\n\nmose 1,2\n";
    const struct {
        const char* label;
        std::vector<std::string> arguments;
        int exitCode;
        const char* message;
    } rows[] = {
        {"bad session line", {badSession}, 2, "bad.session: line 3: unknown step \"mose\""},
        {"unreadable session", {(folder / "none.session").string()}, 2, "cannot read the session file"},
        {"missing plugin", {"--plugin", (folder / "none.so").string(), TESSARIL_DEMO_SESSION}, 3, "cannot load plugin"},
        {"no session", {}, 1, "no session file given"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const ProgramRun run = Run(row.arguments);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_THAT(run.err, HasSubstr(row.message));
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
