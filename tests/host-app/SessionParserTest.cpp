#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "SessionError.h"
#include "SessionParser.h"

namespace {

using namespace TESSARIL_HOST_APP;
using std::chrono::milliseconds;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
// Every case starts with this line, so commands have a window to name and the
// line under test is line 2.
const std::string kEditor = "desktop window editor class=\"E\" title=\"t\" rect=0,0,10,10\n";

TEST(SessionParserTest, EachStepKindReadsIntoItsFields)
{
    const MouseStep move{.x = 1, .y = 2};
    const struct {
        const char* label;
        std::string text;
        SessionStep expected;
    } rows[] = {
        {"window, escaped quote", R"(desktop window chat class="Chat" title="say \"hi\"" rect=-10,0,500,400 pid=77)",
         DesktopWindowStep{"chat", "Chat", "say \"hi\"", {-10, 0, 500, 400}, 77}},
        {"caps", "desktop caps on", DesktopCapsStep{true}},
        {"cursor", "desktop cursor -5,20", DesktopCursorStep{-5, 20}},
        {"start window", "command start text=\"v 1\" window=editor", StartCommandStep{"editor", "v 1"}},
        {"start monitor", "command start monitor=primary text=\"\"", StartCommandStep{std::nullopt, ""}},
        {"add by titles", R"(command add-ignore type=2 pid=42 titles="a b","c")",
         IgnoreWindowCommandStep{true, 2, std::nullopt, 42, {"a b", "c"}}},
        {"remove by window", "command remove-ignore type=3 window=editor",
         IgnoreWindowCommandStep{false, 3, "editor", 0, {}}},
        {"reset window", "command reset-window window=editor", ResetWindowCommandStep{"editor"}},
        {"named key", "key CAPITAL up caps num seq=7", KeyStep{0x14, false, true, true, 7}},
        {"digit key", "key 5 down seq=0", KeyStep{0x35, true, false, false, 0}},
        {"hex key past 32 bits", "key 0x100000041 down seq=-1", KeyStep{0x100000041, true, false, false, -1}},
        {"every mouse field",
         "mouse -9223372036854775808,9223372036854775807 type=1 button=5 down wheel=-1.5,inf delta=4,-4 vp=640x480 "
         "suppress seq=3",
         MouseStep{kInt64Min, kInt64Max, 1, 5, true, -1.5, kInf, 4, -4, 640, 480, true, 3}},
        {"mouse array, comment inside", "mouse-array duration=25\n  mouse 1,2 type=0 vp=0x0 seq=0\n# c\n\t"
                                        "mouse 1,2 type=0 vp=0x0 seq=0",
         MouseArrayStep{25, {move, move}}},
        {"viewport", "viewport 1x-1", ViewportStep{1, -1}},
        {"channel", "channel unavailable", ChannelStep{ChannelEvent::Unavailable}},
        {"longest wait, Windows line end", "wait 600000\r", WaitStep{milliseconds(600000)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<SessionStep> steps = SessionParser::Parse(kEditor + row.text);
        ASSERT_EQ(steps.size(), 2u);
        EXPECT_EQ(steps.back(), row.expected);
    }
}

TEST(SessionParserTest, BadLinesAreRefusedWithTheirLineNumberAndProblem)
{
    const struct {
        const char* label;
        std::string text;
        const char* expected;
    } rows[] = {
        {"unknown step", "mose 1,2", R"(line 2: unknown step "mose")"},
        {"unknown desktop step", "desktop windw x", R"(line 2: desktop: unknown step "windw")"},
        {"no desktop step", "desktop", "line 2: desktop: expected window, caps or cursor"},
        {"unknown command", "command go", R"(line 2: command: unknown command "go")"},
        {"missing field", "mouse 1,2 type=0 seq=1", "line 2: mouse: missing vp="},
        {"missing position", "mouse type=0 vp=1x1 seq=1", "line 2: mouse: expected x,y"},
        {"bad number", "key A down seq=12a", R"(line 2: key: seq: "12a" is not a number)"},
        {"sign only", "desktop cursor -,1", R"(line 2: desktop cursor: "-" is not a number)"},
        {"above int64", "key A down seq=9223372036854775808",
         "line 2: key: seq: 9223372036854775808 is out of range -9223372036854775808..9223372036854775807"},
        {"below int64", "viewport -9223372036854775809x1",
         "line 2: viewport: -9223372036854775809 is out of range -9223372036854775808..9223372036854775807"},
        {"beyond 64 bits", "wait 99999999999999999999999",
         "line 2: wait: 99999999999999999999999 is out of range 0..600000"},
        {"above int32", "mouse 1,2 type=2147483648 vp=1x1 seq=1",
         "line 2: mouse: type: 2147483648 is out of range -2147483648..2147483647"},
        {"negative pid", "command add-ignore type=2 pid=-1",
         "line 2: command add-ignore: pid: -1 is out of range 0..4294967295"},
        {"real out of range", "mouse 1,2 type=0 wheel=1e999,0 vp=1x1 seq=1",
         "line 2: mouse: wheel: 1e999 is out of range"},
        {"unterminated quote", "command start monitor=primary text=\"abc", "line 2: unterminated quote"},
        {"escaped closing quote", R"(command start monitor=primary text="abc\")", "line 2: unterminated quote"},
        {"unquoted text", "command start monitor=primary text=abc", R"(line 2: command start: text: expected "text")"},
        {"unknown field", "key A down seq=1 shift", R"(line 2: key: unknown field "shift")"},
        {"field twice", "key A down seq=1 seq=2", "line 2: key: seq= given twice"},
        {"down and up", "key A down up seq=1", "line 2: key: down and up exclude each other"},
        {"no direction", "key A seq=1", "line 2: key: expected down or up"},
        {"unknown key", "key a down seq=1", R"(line 2: key: unknown key "a")"},
        {"undeclared window", "command reset-window window=chat",
         R"(line 2: command reset-window: unknown window "chat")"},
        {"window twice", kEditor, R"(line 2: desktop window: window "editor" declared twice)"},
        {"short rect", "desktop window w class=\"c\" title=\"t\" rect=1,2,3",
         "line 2: desktop window: rect: expected l,t,r,b"},
        {"no target", "command start text=\"x\"", "line 2: command start: expected one of window= and monitor="},
        {"indented, no array", "  mouse 1,2 type=0 vp=1x1 seq=1", "line 2: indented line outside a mouse-array"},
        {"indented key in array", "mouse-array duration=1\n# c\n  key A down seq=1",
         "line 4: mouse-array: only mouse lines may be indented under it"},
        {"array closed", "mouse-array duration=1\nwait 1\n  mouse 1,2 type=0 vp=1x1 seq=1",
         "line 4: indented line outside a mouse-array"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        try {
            SessionParser::Parse(kEditor + row.text);
            ADD_FAILURE() << "no error";
        } catch (const SessionError& error) {
            EXPECT_STREQ(error.what(), row.expected);
        }
    }
}

}  // namespace
