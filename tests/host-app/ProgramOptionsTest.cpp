#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ProgramOptions.h"

namespace {

using TESSARIL_HOST_APP::ProgramOptions;

TEST(ProgramOptionsTest, OptionsMayComeInAnyOrderAroundTheSession)
{
    const ProgramOptions options =
        ProgramOptions::Parse({"--json", "-", "demo.session", "--plugin", "p.so", "--log-dir", "logs"});
    EXPECT_EQ(options.session, "demo.session");
    EXPECT_EQ(options.plugin, "p.so");
    EXPECT_EQ(options.logDirectory, "logs");
    EXPECT_EQ(options.json, "-");

    const ProgramOptions defaults = ProgramOptions::Parse({"demo.session"});
    EXPECT_FALSE(defaults.plugin);
    EXPECT_FALSE(defaults.json);
    EXPECT_TRUE(ProgramOptions::Parse({"--help"}).help);
}

TEST(ProgramOptionsTest, WrongCommandLinesSayWhatIsWrong)
{
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } rows[] = {
        {{"a.session", "b.session"}, "unexpected argument b.session"},
        {{"--verbose", "a.session"}, "unexpected argument --verbose"},
        {{"a.session", "--plugin"}, "--plugin needs a value"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        try {
            ProgramOptions::Parse(row.arguments);
            ADD_FAILURE() << "accepted";
        } catch (const std::invalid_argument& error) {
            EXPECT_STREQ(error.what(), row.message);
        }
    }
}

}  // namespace
