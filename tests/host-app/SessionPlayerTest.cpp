#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "SessionPlayer.h"

// A session file is read whole before the plugin is touched: every line the
// reader refuses names its line and its problem. The plugin's exports are
// null here, so a reader that called one would crash the test.
namespace {

using namespace TESSARIL_HOST_APP;

std::string LoadError(const std::string& text)
{
    std::ostringstream out;
    SessionReport report(out);
    HostDesktop desktop;
    HostSession session(PluginExports{});
    SessionPlayer player(session, desktop, report);
    try {
        player.Load(text);
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(out.str(), "");
        return error.what();
    }
    return "";
}

TEST(SessionPlayerTest, EachRefusedLineNamesItsLineAndProblem)
{
    const struct {
        const char* text;
        const char* error;
    } rows[] = {
        {"wndow name=a", "line 1: unknown verb \"wndow\""},
        {"# a comment\n\n  stop\nstop now", "line 4: expected key=value, found \"now\""},
        {"stop =now", "line 1: expected key=value, found \"=now\""},
        {"stop force=1", "line 1: stop: unexpected field force="},
        {"start text=\"demo window=a", "line 1: a text without its closing quote"},
        {R"(start text="a\n")", R"(line 1: a backslash in a text must come before " or \)"},
        {"key vk=H seq=1", "line 1: key: missing state="},
        {"key vk=H state=pressed seq=1", "line 1: state: expected down or up"},
        {"key vk=0x10000000000000000 state=up seq=1",
         "line 1: vk: 0x10000000000000000 is out of range -9223372036854775808..9223372036854775807"},
        {"key vk=PAUSE state=up seq=1", "line 1: vk: \"PAUSE\" is not a number"},
        {"wait ms=600001", "line 1: ms: 600001 is out of range 0..600000"},
        {"wait ms=-0x1", "line 1: ms: -0x1 is out of range 0..600000"},
        {"wait ms=12a", "line 1: ms: \"12a\" is not a number"},
        {"viewport size=640,480", "line 1: size: expected 2 numbers joined by 'x'"},
        {"mouse at=1,2,3 vp=1x1 seq=1", "line 1: at: expected 2 numbers joined by ','"},
        {"mouse at=1, vp=1x1 seq=1", "line 1: at: \"\" is not a number"},
        {"add-ignore type=3 window=chat", "line 1: no window named \"chat\" above this line"},
        {"add-ignore type=2 pid=1 pid=2", "line 1: pid= given more than once"},
        {"start monitor=second text=v", "line 1: start: monitor= takes primary only"},
        {"channel event=opened", "line 1: channel: event= takes available, unavailable, open or close"},
        // What must be read without complaint.
        {"window name=a class=\"say \\\"hi\\\"\" title=\"C:\\\\dir\" rect=-1,0,10,10\r\nadd-ignore\ttype=1 window=a", ""},
        {"add-ignore type=2 pid=0xffffffff title=a title=\"b c\"", ""},
        {"key vk=0x70 state=down caps=off num=on seq=-9223372036854775808", ""},
        {"mouse-array at=0,0 by=-1,1 count=0 vp=0x0 seq=0", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(LoadError(row.text), row.error);
    }
}

}  // namespace
