#include "injection/WindowUtilities.h"

#include <fmt/format.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingLogger.h"
#include "simulated_desktop.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using namespace TESSARIL_REMOTECONTROL_HOST;
using SimulatedDesktop::WindowSpec;

constexpr WindowHandle kNoWindow = 0x4242;
constexpr char kCoreWindow[] = "Windows.UI.Core.CoreWindow";
constexpr char kFrame[] = "ApplicationFrameWindow";

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string ExStyleLine(WindowHandle window, LONG written, LONG replaced)
{
    return fmt::format("SetWindowLongA {:#x} GWL_EXSTYLE {:#010x} -> {:#010x}", window, static_cast<uint32_t>(written),
                       static_cast<uint32_t>(replaced));
}

class WindowUtilitiesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SimulatedDesktop::Reset();
        RecordingLogger::Clear();
    }

    static WindowSpec Spec(const std::string& className, const std::string& title = "Untitled",
                           RECT rect = {0, 0, 800, 600})
    {
        WindowSpec spec;
        spec.className = className;
        spec.title = title;
        spec.rect = rect;
        return spec;
    }

    static WindowHandle Create(const WindowSpec& spec) { return FromHwnd(SimulatedDesktop::CreateTopLevelWindow(spec)); }

    static WindowHandle CreateChild(WindowHandle parent, const std::string& className)
    {
        return FromHwnd(SimulatedDesktop::CreateChildWindow(ToHwnd(parent), Spec(className)));
    }

    static WindowHandle Destroyed()
    {
        const WindowHandle window = Create(Spec("Notepad"));
        SimulatedDesktop::DestroyWindow(ToHwnd(window));
        return window;
    }
};

TEST_F(WindowUtilitiesTest, GetWindowRectOfGivesTheRectangleOrZerosWithTheErrorCode)
{
    const WindowHandle window = Create(Spec("Notepad", "Notes", {-300, 20, 500, 620}));
    const WindowHandle destroyed = Destroyed();
    const struct {
        const char* label;
        WindowHandle window;
        RECT expected;
        std::string error;
    } rows[] = {
        {"a window", window, {-300, 20, 500, 620}, "untouched"},
        {"a destroyed window", destroyed, {0, 0, 0, 0}, "GetWindowRect for failed,code:1400"},
        {"handle 0", 0, {0, 0, 0, 0}, "GetWindowRect for failed,code:1400"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        std::string error = "untouched";
        EXPECT_TRUE(SameRect(GetWindowRectOf(row.window, error), row.expected));
        EXPECT_EQ(error, row.error);
    }
}

TEST_F(WindowUtilitiesTest, GetMonitorRectGivesRcMonitorOrZerosWithTheErrorCode)
{
    const auto primary = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(SimulatedDesktop::PrimaryMonitor()));
    const HMONITOR left = SimulatedDesktop::AddMonitor({-1600, 0, 0, 900}, false);
    SimulatedDesktop::SetWorkArea(left, {-1600, 0, 0, 860});
    const struct {
        const char* label;
        uint32_t monitor;
        RECT expected;
        std::string error;
    } rows[] = {
        {"the primary monitor", primary, {0, 0, 1920, 1080}, "untouched"},
        {"a monitor left of it, not its work area", static_cast<uint32_t>(reinterpret_cast<uintptr_t>(left)),
         {-1600, 0, 0, 900}, "untouched"},
        {"an invalid handle", 0x4243, {0, 0, 0, 0}, "GetMonitorInfoA failed,code:1461"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        std::string error = "untouched";
        EXPECT_TRUE(SameRect(GetMonitorRect(row.monitor, error), row.expected));
        EXPECT_EQ(error, row.error);
    }
}

TEST_F(WindowUtilitiesTest, SetIgnoreMouseEventsAddsLayeredAndTransparentAndGivesTheOldStyle)
{
    const struct {
        const char* label;
        LONG exStyle;
        LONG expected;
    } rows[] = {
        {"no extended style", 0, WS_EX_LAYERED | WS_EX_TRANSPARENT},
        {"other bits are kept", WS_EX_TOOLWINDOW | WS_EX_APPWINDOW,
         WS_EX_TOOLWINDOW | WS_EX_APPWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT},
        {"both bits already set", WS_EX_LAYERED | WS_EX_TRANSPARENT, WS_EX_LAYERED | WS_EX_TRANSPARENT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::Reset();
        WindowSpec spec = Spec("Notepad");
        spec.exStyle = row.exStyle;
        const WindowHandle window = Create(spec);
        LONG previous = -1;
        EXPECT_TRUE(SetIgnoreMouseEvents(window, &previous));
        EXPECT_EQ(previous, row.exStyle);
        EXPECT_EQ(SimulatedDesktop::ExStyleOf(ToHwnd(window)), row.expected);
        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(ExStyleLine(window, row.expected, row.exStyle)));
    }
}

TEST_F(WindowUtilitiesTest, SetIgnoreMouseEventsRefusesANonWindowWithoutWriting)
{
    LONG previous = -1;
    EXPECT_FALSE(SetIgnoreMouseEvents(Destroyed(), &previous));
    EXPECT_EQ(previous, -1);
    EXPECT_THAT(SimulatedDesktop::Journal(), IsEmpty());
}

TEST_F(WindowUtilitiesTest, ResetIgnoreMouseEventsWritesTheStyleBack)
{
    const WindowHandle window = Create(Spec("Notepad"));
    LONG previous = 0;
    SetIgnoreMouseEvents(window, &previous);
    SimulatedDesktop::ClearJournal();
    std::string error = "untouched";
    EXPECT_TRUE(ResetIgnoreMouseEvents(window, WS_EX_TOOLWINDOW, error));
    EXPECT_EQ(error, "untouched");
    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre(ExStyleLine(window, WS_EX_TOOLWINDOW, WS_EX_LAYERED | WS_EX_TRANSPARENT)));
}

TEST_F(WindowUtilitiesTest, ResetIgnoreMouseEventsOnADestroyedWindowLeavesTheErrorText)
{
    std::string error = "untouched";
    EXPECT_FALSE(ResetIgnoreMouseEvents(Destroyed(), 0, error));
    EXPECT_EQ(error, "untouched");
    EXPECT_THAT(SimulatedDesktop::Journal(), IsEmpty());
}

// SetWindowLongA answers 0 both on failure and for a replaced style of 0.
TEST_F(WindowUtilitiesTest, ResetIgnoreMouseEventsOverAZeroStyleFailsWithAnEmptyText)
{
    const WindowHandle window = Create(Spec("Notepad"));
    SetLastError(ERROR_ACCESS_DENIED);
    std::string error = "untouched";
    EXPECT_FALSE(ResetIgnoreMouseEvents(window, WS_EX_TOOLWINDOW, error));
    EXPECT_EQ(error, "") << "not the code of an earlier call";
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(ToHwnd(window)), WS_EX_TOOLWINDOW);
}

TEST_F(WindowUtilitiesTest, CollectCoveringWindowsRefusesHandleZeroAndChildWindows)
{
    const WindowHandle parent = Create(Spec("Notepad"));
    const WindowHandle child = CreateChild(parent, "Edit");
    Create(Spec("Above"));
    const struct {
        const char* label;
        WindowHandle window;
    } rows[] = {{"handle 0", 0}, {"a child window", child}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        WindowHandleList list{kNoWindow};
        EXPECT_FALSE(CollectCoveringWindows(row.window, list));
        EXPECT_THAT(list, IsEmpty());
    }
}

TEST_F(WindowUtilitiesTest, CollectCoveringWindowsOfANonWindowIsAnEmptySuccess)
{
    Create(Spec("Above"));
    WindowHandleList list{kNoWindow};
    EXPECT_TRUE(CollectCoveringWindows(kNoWindow, list));
    EXPECT_THAT(list, IsEmpty());
}

TEST_F(WindowUtilitiesTest, CollectCoveringWindowsListsVisibleOverlappingWindowsAboveNearestFirst)
{
    WindowSpec topmost = Spec("Topmost", "Always on top", {450, 450, 900, 900});
    topmost.exStyle = WS_EX_TOPMOST;
    const WindowHandle alwaysOnTop = Create(topmost);
    Create(Spec("Below", "", {0, 0, 1000, 1000}));
    const WindowHandle target = Create(Spec("Target", "", {100, 100, 500, 500}));
    const WindowHandle overlapping = Create(Spec("Overlapping", "", {400, 400, 600, 600}));
    Create(Spec("Apart", "", {600, 0, 800, 100}));
    WindowSpec hidden = Spec("Hidden", "", {100, 100, 500, 500});
    hidden.visible = false;
    Create(hidden);
    Create(Spec("Touching", "", {500, 100, 700, 500}));
    WindowSpec otherProcess = Spec("Covering", "", {0, 0, 1000, 1000});
    otherProcess.processId = 2000;
    const WindowHandle covering = Create(otherProcess);

    WindowHandleList list;
    EXPECT_TRUE(CollectCoveringWindows(target, list));
    EXPECT_THAT(list, ElementsAre(overlapping, covering, alwaysOnTop));
}

// One row per window, created in this order; EnumWindows delivers them from
// the top of the z-order, so the kept ones come back newest first.
struct TopWindowRow {
    const char* label;
    WindowSpec spec;
    std::vector<std::string> childClasses;
    bool kept;
};

WindowSpec With(WindowSpec spec, bool visible, bool minimised)
{
    spec.visible = visible;
    spec.minimised = minimised;
    return spec;
}

class EnumVisibleTopWindowsTest : public WindowUtilitiesTest {
protected:
    // Creates the rows' windows and answers the kept ones in z-order.
    static WindowHandleList CreateRows(const std::vector<TopWindowRow>& rows)
    {
        WindowHandleList kept;
        for (const auto& row : rows) {
            const WindowHandle window = Create(row.spec);
            for (const auto& childClass : row.childClasses) {
                CreateChild(window, childClass);
            }
            if (row.kept) {
                kept.insert(kept.begin(), window);
            }
        }
        return kept;
    }
};

TEST_F(EnumVisibleTopWindowsTest, LeavesOutTheDesktopButtonsHiddenMinimisedAndEmptyFrames)
{
    const std::vector<TopWindowRow> rows = {
        {"a plain window", Spec("Notepad"), {}, true},
        {"the desktop", Spec("Progman", "Program Manager"), {}, false},
        {"a button", Spec("Button", "Start"), {}, false},
        {"class names are case-sensitive", Spec("progman"), {}, true},
        {"an invisible window", With(Spec("Notepad"), false, false), {}, false},
        {"a minimised window", With(Spec("Notepad"), true, true), {}, false},
        {"a bare CoreWindow", Spec(kCoreWindow, "Calculator"), {}, false},
        {"a frame without a title", Spec(kFrame, ""), {kCoreWindow}, false},
        {"a titled frame with its CoreWindow", Spec(kFrame, "Calculator"), {kCoreWindow}, true},
        {"a titled frame without a CoreWindow", Spec(kFrame, "Settings"), {"ApplicationFrameTitleBarWindow"}, false},
        {"a minimised titled frame with its CoreWindow", With(Spec(kFrame, "Mail"), true, true), {kCoreWindow}, false},
        {"a window without a title", Spec("Notepad", ""), {}, true},
    };
    const WindowHandleList expected = CreateRows(rows);
    WindowHandleList list{kNoWindow};
    EnumVisibleTopWindows(list);
    EXPECT_THAT(list, ElementsAreArray(expected));
}

TEST_F(EnumVisibleTopWindowsTest, LeavesOutWindowsOfOtherVirtualDesktops)
{
    WindowSpec elsewhere = Spec("Notepad", "On desktop 2");
    elsewhere.onCurrentDesktop = false;
    const WindowHandle here = Create(Spec("Notepad", "On desktop 1"));
    Create(elsewhere);
    WindowHandleList list;
    EnumVisibleTopWindows(list);
    EXPECT_THAT(list, ElementsAre(here));
}

TEST_F(EnumVisibleTopWindowsTest, KeepsEveryWindowWhenTheVirtualDesktopManagerCannotBeCreated)
{
    WindowSpec elsewhere = Spec("Notepad", "On desktop 2");
    elsewhere.onCurrentDesktop = false;
    const WindowHandle here = Create(Spec("Notepad", "On desktop 1"));
    const WindowHandle there = Create(elsewhere);
    SimulatedDesktop::FailVirtualDesktopManagerCreation(true);
    WindowHandleList list;
    EnumVisibleTopWindows(list);
    EXPECT_THAT(list, ElementsAre(there, here));
}

TEST_F(EnumVisibleTopWindowsTest, BeforeWindows8NoFrameIsHidden)
{
    const std::vector<TopWindowRow> rows = {
        {"a bare CoreWindow", Spec(kCoreWindow, "Calculator"), {}, true},
        {"a frame without a title", Spec(kFrame, ""), {}, true},
        {"the desktop is still left out", Spec("Progman"), {}, false},
    };
    const WindowHandleList expected = CreateRows(rows);
    SimulatedDesktop::SetOsVersion(6, 1, 1);
    WindowHandleList list;
    EnumVisibleTopWindows(list);
    EXPECT_THAT(list, ElementsAreArray(expected));
}

TEST_F(WindowUtilitiesTest, IsHiddenUwpFrameFollowsTheFrameRules)
{
    const struct {
        const char* label;
        WindowSpec spec;
        std::vector<std::string> childClasses;
        bool hidden;
    } rows[] = {
        {"a bare CoreWindow", Spec(kCoreWindow, "Calculator"), {}, true},
        {"a frame without a title", Spec(kFrame, ""), {kCoreWindow}, true},
        {"a titled frame with its CoreWindow", Spec(kFrame, "Calculator"), {"Title", kCoreWindow}, false},
        {"a titled frame without a CoreWindow", Spec(kFrame, "Settings"), {"Title"}, true},
        {"a titled frame without children", Spec(kFrame, "Settings"), {}, true},
        {"a minimised titled frame without a CoreWindow", With(Spec(kFrame, "Settings"), true, true), {}, false},
        {"an invisible titled frame without a CoreWindow", With(Spec(kFrame, "Settings"), false, false), {}, true},
        {"another class", Spec("Notepad", ""), {}, false},
        {"class names are case-sensitive", Spec("applicationframewindow", ""), {}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const WindowHandle window = Create(row.spec);
        for (const auto& childClass : row.childClasses) {
            CreateChild(window, childClass);
        }
        EXPECT_EQ(IsHiddenUwpFrame(window), row.hidden);
    }
}

TEST_F(WindowUtilitiesTest, IsHiddenUwpFrameFindsACoreWindowNestedDeeper)
{
    const WindowHandle frame = Create(Spec(kFrame, "Calculator"));
    CreateChild(CreateChild(frame, "Host"), kCoreWindow);
    EXPECT_FALSE(IsHiddenUwpFrame(frame));
}

TEST_F(WindowUtilitiesTest, IsHiddenUwpFrameNeedsWindows8)
{
    const WindowHandle coreWindow = Create(Spec(kCoreWindow, "Calculator"));
    const struct {
        DWORD major;
        DWORD minor;
        WORD servicePack;
        bool hidden;
    } rows[] = {
        {5, 1, 3, false}, {6, 1, 1, false}, {6, 2, 0, true}, {6, 3, 0, true}, {10, 0, 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(fmt::format("Windows {}.{} SP{}", row.major, row.minor, row.servicePack));
        SimulatedDesktop::SetOsVersion(row.major, row.minor, row.servicePack);
        EXPECT_EQ(IsHiddenUwpFrame(coreWindow), row.hidden);
    }
}

TEST_F(WindowUtilitiesTest, EnumChildWindowListGivesAllDescendantsInEnumerationOrder)
{
    const WindowHandle parent = Create(Spec("Notepad"));
    const WindowHandle lower = CreateChild(parent, "Edit");
    const WindowHandle nested = CreateChild(lower, "Nested");
    const WindowHandle upper = CreateChild(parent, "StatusBar");
    WindowHandleList children{kNoWindow};
    EnumChildWindowList(parent, children);
    EXPECT_THAT(children, ElementsAre(upper, lower, nested));

    EnumChildWindowList(upper, children);
    EXPECT_THAT(children, IsEmpty());
}

TEST_F(WindowUtilitiesTest, FilterCurrentVirtualDesktopKeepsWhatIsHereOrCannotBeAsked)
{
    WindowSpec elsewhere = Spec("Notepad");
    elsewhere.onCurrentDesktop = false;
    const WindowHandle here = Create(Spec("Notepad"));
    const WindowHandle there = Create(elsewhere);
    const WindowHandle unknownToTheShell = Create(elsewhere);
    SimulatedDesktop::FailIsWindowOnCurrentVirtualDesktop(ToHwnd(unknownToTheShell), true);
    const WindowHandle childOfThere = CreateChild(there, "Edit");

    WindowHandleList list{there, here, kNoWindow, unknownToTheShell, childOfThere, here};
    FilterCurrentVirtualDesktop(list);
    EXPECT_THAT(list, ElementsAre(here, kNoWindow, unknownToTheShell, here))
        << "a non-window and a failed query are kept, order and duplicates too";
}

TEST_F(WindowUtilitiesTest, FilterCurrentVirtualDesktopLeavesTheListWhenTheManagerCannotBeCreated)
{
    WindowSpec elsewhere = Spec("Notepad");
    elsewhere.onCurrentDesktop = false;
    const WindowHandle there = Create(elsewhere);
    SimulatedDesktop::FailVirtualDesktopManagerCreation(true);
    WindowHandleList list{there, kNoWindow};
    FilterCurrentVirtualDesktop(list);
    EXPECT_THAT(list, ElementsAre(there, kNoWindow));
}

std::wstring Wide(const std::u16string& units)
{
    return std::wstring(units.begin(), units.end());
}

TEST_F(WindowUtilitiesTest, WideToUtf8ConvertsEachUnitAsOneCharacter)
{
    const struct {
        const char* label;
        std::u16string units;
        std::string expected;
    } rows[] = {
        {"empty", u"", ""},
        {"ASCII", u"Notepad", "Notepad"},
        {"non-ASCII text of the BMP", u"Überweisung – 10 €", "\xC3\x9C" "berweisung \xE2\x80\x93 10 \xE2\x82\xAC"},
        {"the last BMP character", u"\xFFFD\xFFFF", "\xEF\xBF\xBD\xEF\xBF\xBF"},
        {"a lone high surrogate", {u'a', char16_t{0xD800}}, ""},
        {"a lone low surrogate", {char16_t{0xDC00}, u'a'}, ""},
        {"a surrogate pair is two units, not one character", u"Notes 😀", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(WideToUtf8(Wide(row.units)), row.expected);
    }
}

TEST_F(WindowUtilitiesTest, UtilitiesWriteNoLogLine)
{
    const WindowHandle window = Create(Spec(kFrame, ""));
    std::string error;
    WindowHandleList list;
    GetWindowRectOf(kNoWindow, error);
    GetMonitorRect(0x4243, error);
    SetIgnoreMouseEvents(window, nullptr);
    ResetIgnoreMouseEvents(kNoWindow, 0, error);
    CollectCoveringWindows(window, list);
    EnumVisibleTopWindows(list);
    WideToUtf8(Wide({char16_t{0xD800}}));
    EXPECT_THAT(RecordingLogger::Lines(), IsEmpty());
}

}  // namespace
