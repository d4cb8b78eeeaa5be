#include "injection/WindowUtilities.h"

#include <fmt/format.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "JournalLines.h"
#include "RecordingLogger.h"
#include "simulated_desktop.h"

namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using namespace TESSARIL_REMOTECONTROL_HOST;
using SimulatedDesktop::WindowSpec;

constexpr WindowHandle kNoWindow = 0x4242;
constexpr char kCoreWindow[] = "Windows.UI.Core.CoreWindow";
constexpr char kFrame[] = "ApplicationFrameWindow";

WindowSpec WindowOf(const std::string& className, const std::string& title = "Untitled", RECT rect = {0, 0, 800, 600},
                    bool visible = true, bool minimised = false, LONG exStyle = 0)
{
    WindowSpec windowSpec;
    std::tie(windowSpec.className, windowSpec.title, windowSpec.rect, windowSpec.visible, windowSpec.minimised,
             windowSpec.exStyle) = std::tuple(className, title, rect, visible, minimised, exStyle);
    return windowSpec;
}

WindowSpec Elsewhere(WindowSpec windowSpec)  // on another virtual desktop
{
    windowSpec.onCurrentDesktop = false;
    return windowSpec;
}

WindowHandle Create(const WindowSpec& windowSpec) { return FromHwnd(SimulatedDesktop::CreateTopLevelWindow(windowSpec)); }

WindowHandle CreateChild(WindowHandle parent, const std::string& className)
{
    return FromHwnd(SimulatedDesktop::CreateChildWindow(ToHwnd(parent), WindowOf(className)));
}

class WindowUtilitiesTest : public ::testing::Test {
protected:
    void SetUp() override { SimulatedDesktop::Reset(), RecordingLogger::Clear(); }
    void TearDown() override { EXPECT_THAT(RecordingLogger::Lines(), IsEmpty()) << "the utilities write no log line"; }
};

// SetWindowLongA answers 0 both on failure and for a replaced style of 0, so
// writing over a zero style fails with an empty text, not an earlier call's code.
TEST_F(WindowUtilitiesTest, ResetIgnoreMouseEventsWritesTheStyleBackOrFails)
{
    const WindowHandle changed = Create(WindowOf("Notepad"));
    SetIgnoreMouseEvents(changed, nullptr);
    const WindowHandle zeroStyle = Create(WindowOf("Notepad"));
    const struct { WindowHandle window; bool written; std::string error, journal; } rows[] = {
        {changed, true, "untouched", ExStyleLine(ToHwnd(changed), WS_EX_TOOLWINDOW, kTransparent)},
        {zeroStyle, false, "", ExStyleLine(ToHwnd(zeroStyle), WS_EX_TOOLWINDOW, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.journal);
        SimulatedDesktop::ClearJournal();
        SetLastError(ERROR_ACCESS_DENIED);
        std::string error = "untouched";
        EXPECT_EQ(ResetIgnoreMouseEvents(row.window, WS_EX_TOOLWINDOW, error), row.written);
        EXPECT_EQ(error, row.error);
        EXPECT_EQ(SimulatedDesktop::Journal(), std::vector<std::string>{row.journal});
    }
}

TEST_F(WindowUtilitiesTest, CollectCoveringWindowsListsVisibleOverlappingWindowsAboveNearestFirst)
{
    const WindowHandle alwaysOnTop =
        Create(WindowOf("Topmost", "Always on top", {450, 450, 900, 900}, true, false, WS_EX_TOPMOST));
    Create(WindowOf("Below", "", {0, 0, 1000, 1000}));
    const WindowHandle target = Create(WindowOf("Target", "", {100, 100, 500, 500}));
    const WindowHandle child = CreateChild(target, "Edit");
    const WindowHandle overlapping = Create(WindowOf("Overlapping", "", {400, 400, 600, 600}));
    Create(WindowOf("Apart", "", {600, 0, 800, 100}));
    Create(WindowOf("Hidden", "", {100, 100, 500, 500}, false));
    Create(WindowOf("Touching", "", {500, 100, 700, 500}));
    WindowSpec otherProcess = WindowOf("Covering", "", {0, 0, 1000, 1000});
    otherProcess.processId = 2000;
    const WindowHandle covering = Create(otherProcess);

    const struct { const char* label; WindowHandle window; bool succeeds; WindowHandleList expected; } rows[] = {
        {"a top-level window", target, true, {overlapping, covering, alwaysOnTop}},
        {"handle 0 is refused", 0, false, {}},
        {"a child window is refused", child, false, {}},
        {"a non-window is an empty success", kNoWindow, true, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        WindowHandleList list{kNoWindow};
        EXPECT_EQ(CollectCoveringWindows(row.window, list), row.succeeds);
        EXPECT_THAT(list, ElementsAreArray(row.expected));
    }
}

// Each row's window (with a chain of children of the listed classes) and whether
// the enumeration keeps it; EnumWindows delivers from the top, newest first. A
// window the shell cannot place is kept.
TEST_F(WindowUtilitiesTest, EnumVisibleTopWindowsLeavesOutTheDesktopButtonsHiddenMinimisedOtherDesktopsAndEmptyFrames)
{
    const WindowHandle unknownToTheShell = Create(Elsewhere(WindowOf("Notepad")));
    SimulatedDesktop::FailIsWindowOnCurrentVirtualDesktop(ToHwnd(unknownToTheShell), true);
    const struct { const char* label; WindowSpec windowSpec; std::vector<std::string> childClasses; bool kept; } rows[] = {
        {"a plain window", WindowOf("Notepad"), {}, true},
        {"the desktop", WindowOf("Progman", "Program Manager"), {}, false},
        {"a button", WindowOf("Button", "Start"), {}, false},
        {"class names are case-sensitive", WindowOf("progman"), {}, true},
        {"an invisible window", WindowOf("Notepad", "", {}, false), {}, false},
        {"a minimised window", WindowOf("Notepad", "", {}, true, true), {}, false},
        {"on another virtual desktop", Elsewhere(WindowOf("Notepad")), {}, false},
        {"a bare CoreWindow", WindowOf(kCoreWindow, "Calculator"), {}, false},
        {"a frame without a title", WindowOf(kFrame, ""), {kCoreWindow}, false},
        {"a titled frame with its CoreWindow", WindowOf(kFrame, "Calculator"), {kCoreWindow}, true},
        {"a titled frame with it deeper", WindowOf(kFrame, "Calculator"), {"Host", kCoreWindow}, true},
        {"a titled frame without a CoreWindow", WindowOf(kFrame, "Settings"), {"ApplicationFrameTitleBarWindow"}, false},
        {"a minimised titled frame with its CoreWindow", WindowOf(kFrame, "Mail", {}, true, true), {kCoreWindow}, false},
        {"a window without a title", WindowOf("Notepad", ""), {}, true},
    };
    WindowHandleList expected{unknownToTheShell};
    for (const auto& row : rows) {
        WindowHandle parent = Create(row.windowSpec);
        if (row.kept) {
            expected.insert(expected.begin(), parent);
        }
        for (const auto& childClass : row.childClasses) {
            parent = CreateChild(parent, childClass);
        }
    }
    WindowHandleList list{kNoWindow};
    EnumVisibleTopWindows(list);
    EXPECT_THAT(list, ElementsAreArray(expected));
}

// A bare CoreWindow is a hidden frame only from Windows 8 on.
TEST_F(WindowUtilitiesTest, IsHiddenUwpFrameNeedsWindows8)
{
    const WindowHandle coreWindow = Create(WindowOf(kCoreWindow, "Calculator"));
    for (const auto& [major, minor, servicePack, hidden] : std::vector<std::tuple<DWORD, DWORD, WORD, bool>>{
             {5, 1, 3, false}, {6, 1, 1, false}, {6, 2, 0, true}, {6, 3, 0, true}, {10, 0, 0, true}}) {
        SCOPED_TRACE(fmt::format("Windows {}.{} SP{}", major, minor, servicePack));
        SimulatedDesktop::SetOsVersion(major, minor, servicePack);
        EXPECT_EQ(IsHiddenUwpFrame(coreWindow), hidden);
    }
}

TEST_F(WindowUtilitiesTest, WideToUtf8ConvertsEachUnitAsOneCharacter)
{
    const struct { const char* label; std::u16string units; std::string expected; } rows[] = {
        {"empty", u"", ""},
        {"the last BMP character", u"\xFFFD\xFFFF", "\xEF\xBF\xBD\xEF\xBF\xBF"},
        {"a lone high surrogate", {u'a', char16_t{0xD800}}, ""},
        {"a lone low surrogate", {char16_t{0xDC00}, u'a'}, ""},
        {"a surrogate pair is two units, not one character", u"Notes 😀", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(WideToUtf8(std::wstring(row.units.begin(), row.units.end())), row.expected);
    }
}

}  // namespace
