#include <fmt/format.h>

#include "InjectorTest.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using TESSARIL_REMOTECONTROL_HOST::HostIgnoredWindow;

constexpr const char* kCentre = "SendInput mouse dx=32768 dy=32768 data=0 flags=0x8001 -> 1";
// Viewport (10, 20) in the window at (100, 50): the screen point (110, 70).
constexpr const char* kInWindow = "SendInput mouse dx=3755 dy=4248 data=0 flags=0x8001 -> 1";
constexpr LONG kTransparent = WS_EX_LAYERED | WS_EX_TRANSPARENT;
constexpr const char* kUpdateTrace = "TESSARIL_REMOTECONTROL_HOST::InputInjectorImpl::UpdateIgnoreWindow";

LoggedLine EntryLine(const char* operation) { return InfoLine(fmt::format("entry {}", operation)); }
LoggedLine ExitLine(const char* operation) { return InfoLine(fmt::format("exit {}, cost : 0", operation)); }

// A request whose handle names a window (the first of a fresh desktop), so
// that only its type can make it invalid.
HostIgnoredWindow OfType(int64_t type)
{
    HostIgnoredWindow request = ByHandle(int64_t{0x10010});
    request.ignoreType = type;
    return request;
}

HWND CreateWindowOf(DWORD processId, const std::string& title, bool visible = true, bool minimised = false)
{
    SimulatedDesktop::WindowSpec spec;
    spec.className = "Chat";
    spec.title = title;
    spec.processId = processId;
    spec.visible = visible;
    spec.minimised = minimised;
    return SimulatedDesktop::CreateTopLevelWindow(spec);
}

class IgnoreWindowTest : public InjectorTest {
protected:
    void SetUp() override
    {
        InjectorTest::SetUp();
        ShareScreen();
    }

    void InjectInWindow() { injector.InjectMouseEvent(MouseEventBuilder().At(10, 20).Viewport(800, 600)); }

    // The journal of one injection at the screen's centre in screen mode, with
    // the listed windows changed before and restored after SendInput.
    static std::vector<std::string> ScreenPass(const std::vector<std::pair<HWND, LONG>>& windows)
    {
        std::vector<std::string> journal;
        for (const auto& [window, exStyle] : windows) {
            journal.push_back(ExStyleLine(window, exStyle | kTransparent, exStyle));
        }
        journal.insert(journal.end(), {kAwake, kCentre});
        for (const auto& [window, exStyle] : windows) {
            journal.push_back(ExStyleLine(window, exStyle, exStyle | kTransparent));
        }
        return journal;
    }
};

TEST_F(IgnoreWindowTest, WindowModeMakesTheOverlappingWindowsAboveTheSharedWindowTransparent)
{
    const HWND below = CreateWindowAt({0, 0, 1920, 1080});
    const HWND shared = CreateWindowAt({100, 50, 900, 650});
    const HWND near = CreateWindowAt({0, 0, 300, 300}, WS_EX_TOOLWINDOW);
    const HWND apart = CreateWindowAt({1000, 700, 1200, 900});
    const HWND top = CreateWindowAt({800, 600, 1000, 800});
    SimulatedDesktop::WindowSpec hiddenSpec;
    hiddenSpec.visible = false;
    const HWND hidden = SimulatedDesktop::CreateTopLevelWindow(hiddenSpec);
    ShareWindow(shared);

    InjectInWindow();

    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre(ExStyleLine(near, 0x000800a0, WS_EX_TOOLWINDOW), ExStyleLine(top, kTransparent, 0),
                            kAwake, kInWindow, ExStyleLine(near, WS_EX_TOOLWINDOW, 0x000800a0),
                            ExStyleLine(top, 0, kTransparent)));
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(near), WS_EX_TOOLWINDOW);
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(top), 0);
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(below) | SimulatedDesktop::ExStyleOf(apart) |
                  SimulatedDesktop::ExStyleOf(hidden),
              0);
    EXPECT_EQ(SimulatedDesktop::CursorPosition().x, 110);
    EXPECT_EQ(SimulatedDesktop::CursorPosition().y, 70);
    EXPECT_THAT(RecordingLogger::Lines(), ElementsAre(InfoLine("Inject a MouseEvent")));
}

TEST_F(IgnoreWindowTest, WindowModeWithNothingAboveOverlappingTouchesNoWindow)
{
    CreateWindowAt({0, 0, 1920, 1080});
    const HWND shared = CreateWindowAt({100, 50, 900, 650});
    CreateWindowAt({1000, 700, 1200, 900});
    ShareWindow(shared);

    InjectInWindow();

    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, kInWindow));
    EXPECT_THAT(RecordingLogger::Lines(), ElementsAre(InfoLine("Inject a MouseEvent")));
}

TEST_F(IgnoreWindowTest, ResetWindowIdMovesTheCoveredWindowAndResetScreenIdOnlyLogs)
{
    const HWND first = CreateWindowAt({100, 50, 900, 650});
    const HWND second = CreateWindowAt({1000, 50, 1800, 650});
    const HWND cover = CreateWindowAt({1500, 0, 1900, 300});
    ShareWindow(first);

    InjectInWindow();
    injector.ResetWindowId(reinterpret_cast<uintptr_t>(second));
    InjectInWindow();
    injector.ResetScreenId(7);
    InjectInWindow();

    const std::string set = ExStyleLine(cover, kTransparent, 0);
    const std::string restore = ExStyleLine(cover, 0, kTransparent);
    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, kInWindow,                    // first, uncovered
                                                         set, kAwake, kInWindow, restore,    // second
                                                         set, kAwake, kInWindow, restore));  // still second
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("Inject a MouseEvent"),
                            InfoLine(fmt::format("Reset Window Id {}", reinterpret_cast<uintptr_t>(second))),
                            InfoLine("Reset Screen Id 7")));
}

TEST_F(IgnoreWindowTest, ScreenModeLogsAVanishedWindowInBothPassesAndGoesOn)
{
    const HWND first = CreateWindowAt({0, 0, 100, 100});
    const HWND vanished = CreateWindowAt({0, 0, 100, 100});
    const HWND last = CreateWindowAt({0, 0, 100, 100}, WS_EX_TOOLWINDOW);
    for (const HWND window : {first, vanished, last}) {
        injector.UpdateIgnoreWindow(ByHandle(window), true);
    }
    SimulatedDesktop::DestroyWindow(vanished);
    ClearRecords();

    injector.InjectMouseEvent(MouseEventBuilder());

    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(ScreenPass({{first, 0}, {last, WS_EX_TOOLWINDOW}})));
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(InfoLine("Inject a MouseEvent"),
                            ErrorLine(fmt::format("SetIgnoreMouseEvents failed,{} ", LoggedHandle(vanished))),
                            ErrorLine(fmt::format("ResetIgnoreMouseEvents failed,{} ", LoggedHandle(vanished)))));
}

TEST_F(IgnoreWindowTest, PromptWindowIsNeverTouched)
{
    const HWND prompt = CreateWindowAt({0, 0, 400, 300}, WS_EX_TOOLWINDOW, "HoyaSSPromptWindow");
    const HWND other = CreateWindowAt({0, 0, 400, 300}, 0, "HoyaSSPromptWindow2");
    injector.UpdateIgnoreWindow(ByHandle(prompt), true);
    injector.UpdateIgnoreWindow(ByHandle(other), true);
    ClearRecords();

    {
        SCOPED_TRACE("screen mode, listed");
        injector.InjectMouseEvent(MouseEventBuilder());
        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(ScreenPass({{other, 0}})));
    }
    {
        SCOPED_TRACE("window mode, covering");
        const HWND shared = CreateWindowAt({100, 50, 900, 650});
        SimulatedDesktop::BringToTop(prompt);
        ShareWindow(shared);
        InjectInWindow();
        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, kInWindow));
    }
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(prompt), WS_EX_TOOLWINDOW);
}

TEST_F(IgnoreWindowTest, WindowListedUnderThreeTypesGetsItsOwnStyleBack)
{
    SimulatedDesktop::WindowSpec spec;
    spec.title = "Chat";
    spec.processId = 42;
    spec.exStyle = WS_EX_TOOLWINDOW;
    const HWND window = SimulatedDesktop::CreateTopLevelWindow(spec);
    const std::array<uint8_t, 4> bytes = BytesOf(window);
    injector.UpdateIgnoreWindow(ByBytes(bytes.data(), 4), true);
    injector.UpdateIgnoreWindow(ByTitles(42, {"Chat"}), true);
    injector.UpdateIgnoreWindow(ByHandle(window), true);
    ClearRecords();

    injector.InjectMouseEvent(MouseEventBuilder());

    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(ScreenPass({{window, WS_EX_TOOLWINDOW}})));
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(window), WS_EX_TOOLWINDOW);
}

TEST_F(IgnoreWindowTest, AddingTwiceKeepsOneEntryAndRemovingOnceLeavesNone)
{
    const HWND window = CreateWindowAt({0, 0, 100, 100});
    injector.UpdateIgnoreWindow(ByHandle(window), true);
    injector.UpdateIgnoreWindow(ByHandle(window), true);
    ClearRecords();
    injector.InjectMouseEvent(MouseEventBuilder());
    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(ScreenPass({{window, 0}})));

    injector.UpdateIgnoreWindow(ByHandle(window), false);
    ClearRecords();
    injector.InjectMouseEvent(MouseEventBuilder());
    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, kCentre));
}

TEST_F(IgnoreWindowTest, RemovingOneKeepsTheOthersInOrder)
{
    const HWND a = CreateWindowAt({0, 0, 100, 100});
    const HWND b = CreateWindowAt({0, 0, 100, 100});
    const HWND c = CreateWindowAt({0, 0, 100, 100});
    for (const HWND window : {a, b, c}) {
        injector.UpdateIgnoreWindow(ByHandle(window), true);
    }
    injector.UpdateIgnoreWindow(ByHandle(b), false);
    ClearRecords();

    injector.InjectMouseEvent(MouseEventBuilder());

    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(ScreenPass({{a, 0}, {c, 0}})));
}

TEST_F(IgnoreWindowTest, RemovingAnUnlistedWindowLogsOnlyTheRequest)
{
    const HWND listed = CreateWindowAt({0, 0, 100, 100});
    const HWND unlisted = CreateWindowAt({0, 0, 100, 100});
    injector.UpdateIgnoreWindow(ByHandle(listed), true);
    ClearRecords();

    injector.UpdateIgnoreWindow(ByHandle(unlisted), false);
    injector.InjectMouseEvent(MouseEventBuilder());

    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(EntryLine(kUpdateTrace), InfoLine("UpdateIgnoreWindow ignoreType = 3"),
                            InfoLine(fmt::format("UpdateIgnoreWindow hwnd is {:#08x}, if add false",
                                                 LoggedHandle(unlisted))),
                            ExitLine(kUpdateTrace), InfoLine("Inject a MouseEvent")));
    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(ScreenPass({{listed, 0}})));
}

TEST_F(IgnoreWindowTest, InvalidRequestsAreRefusedAndChangeNothing)
{
    const uint8_t bytes[8] = {0x10, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00};
    const uint8_t zero[4] = {};
    const struct {
        const char* label;
        HostIgnoredWindow request;
        const char* typeLine;
        LoggedLine refusal;
    } rows[] = {
        {"three bytes", ByBytes(bytes, 3), "UpdateIgnoreWindow ignoreType = 1", ErrorLine("HostIgnoredWindow invalid")},
        {"eight bytes", ByBytes(bytes, 8), "UpdateIgnoreWindow ignoreType = 1", ErrorLine("HostIgnoredWindow invalid")},
        {"no bytes", ByBytes(nullptr, 4), "UpdateIgnoreWindow ignoreType = 1", ErrorLine("HostIgnoredWindow invalid")},
        {"handle 0 as bytes", ByBytes(zero, 4), "UpdateIgnoreWindow ignoreType = 1",
         ErrorLine("HostIgnoredWindow invalid")},
        {"handle 0", ByHandle(int64_t{0}), "UpdateIgnoreWindow ignoreType = 3", WarningLine("invalid ignore type:3")},
        {"type 4", OfType(4), "UpdateIgnoreWindow ignoreType = 4", WarningLine("invalid ignore type:4")},
        {"type 0", OfType(0), "UpdateIgnoreWindow ignoreType = 0", WarningLine("invalid ignore type:0")},
        {"type -1", OfType(-1), "UpdateIgnoreWindow ignoreType = -1", WarningLine("invalid ignore type:-1")},
    };
    CreateWindowAt({0, 0, 100, 100});
    injector.InjectMouseEvent(MouseEventBuilder());  // spends the rate-limited inject line
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ClearRecords();
        injector.UpdateIgnoreWindow(row.request, true);
        injector.InjectMouseEvent(MouseEventBuilder());
        EXPECT_THAT(RecordingLogger::Lines(), ElementsAre(EntryLine(kUpdateTrace), InfoLine(row.typeLine), row.refusal,
                                                          ExitLine(kUpdateTrace)));
        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, kCentre));
    }
}

TEST_F(IgnoreWindowTest, HandlesAreLoggedSignExtendedAndZeroPaddedToEightCharacters)
{
    const uint8_t bytes1a2b[4] = {0x2b, 0x1a, 0x00, 0x00};
    const struct {
        const char* label;
        HostIgnoredWindow request;
        const char* expected;
    } rows[] = {
        {"1a2b as bytes", ByBytes(bytes1a2b, 4), "UpdateIgnoreWindow hwnd is 0x001a2b, if add true"},
        {"1a2b as a number", ByHandle(int64_t{0x1a2b}), "UpdateIgnoreWindow hwnd is 0x001a2b, if add true"},
        {"only the low 32 bits", ByHandle(int64_t{0x7fff'0000'1a2b}), "UpdateIgnoreWindow hwnd is 0x001a2b, if add true"},
        {"short", ByHandle(int64_t{7}), "UpdateIgnoreWindow hwnd is 0x000007, if add true"},
        {"wider than the padding", ByHandle(int64_t{0x12345678}), "UpdateIgnoreWindow hwnd is 0x12345678, if add true"},
        {"sign bit set", ByHandle(int64_t{0x80000010}), "UpdateIgnoreWindow hwnd is 0xffffffff80000010, if add true"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ClearRecords();
        injector.UpdateIgnoreWindow(row.request, true);
        EXPECT_EQ(RecordingLogger::Lines().at(2), InfoLine(row.expected));
    }
}

TEST_F(IgnoreWindowTest, TitleRequestCollectsVisibleWindowsOfTheProcessByExactTitle)
{
    const HWND chat = CreateWindowOf(42, "Chat");
    const HWND notes = CreateWindowOf(42, "Übersicht – Notizen");
    CreateWindowOf(42, "Other");
    CreateWindowOf(42, "chat");
    CreateWindowOf(42, "Chat ");
    CreateWindowOf(43, "Chat");
    CreateWindowOf(42, "Chat", false);
    CreateWindowOf(42, "Chat", true, true);
    ClearRecords();

    injector.UpdateIgnoreWindow(ByTitles(42, {"Chat", "Übersicht – Notizen", "Chat"}), true);
    injector.InjectMouseEvent(MouseEventBuilder());

    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(EntryLine(kUpdateTrace), InfoLine("UpdateIgnoreWindow ignoreType = 2"),
                            InfoLine(fmt::format("UpdateIgnoreWindow hwnd is {:#08x}, if add true", LoggedHandle(notes))),
                            InfoLine(fmt::format("UpdateIgnoreWindow hwnd is {:#08x}, if add true", LoggedHandle(chat))),
                            ExitLine(kUpdateTrace), InfoLine("Inject a MouseEvent")));
    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(ScreenPass({{notes, 0}, {chat, 0}})));
}

TEST_F(IgnoreWindowTest, ClearIgnoreWindowEmptiesTheList)
{
    injector.UpdateIgnoreWindow(ByHandle(CreateWindowAt({0, 0, 100, 100})), true);
    injector.UpdateIgnoreWindow(ByHandle(CreateWindowAt({0, 0, 100, 100})), true);
    ClearRecords();

    injector.ClearIgnoreWindow();
    injector.InjectMouseEvent(MouseEventBuilder());

    const char* trace = "TESSARIL_REMOTECONTROL_HOST::InputInjectorImpl::ClearIgnoreWindow";
    EXPECT_THAT(RecordingLogger::Lines(),
                ElementsAre(EntryLine(trace), ExitLine(trace), InfoLine("Inject a MouseEvent")));
    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre(kAwake, kCentre));
}

TEST_F(IgnoreWindowTest, ListOutlivesInitUnInitAndResetWindowId)
{
    const HWND window = CreateWindowAt({0, 0, 100, 100});
    injector.UpdateIgnoreWindow(ByHandle(window), true);
    injector.UnInit();
    injector.ResetWindowId(5);
    ShareScreen();

    injector.InjectMouseEvent(MouseEventBuilder());

    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(ScreenPass({{window, 0}})));
}

}  // namespace
