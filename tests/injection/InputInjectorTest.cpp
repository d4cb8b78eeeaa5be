#include "injection/InputInjector.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "FakeClock.h"
#include "JournalLines.h"
#include "RecordingLogger.h"
#include "ViewerPayloads.h"
#include "coordinates/CoordinateConverterHost.h"
#include "windowing/WindowUtilities.h"
#include "messaging/RecordCopy.h"
#include "simulated_desktop.h"

namespace {

using TESSARIL_HOST_APP::IgnoreRequest;
using TESSARIL_SERVER_API::KeyEvent;
using Viewer = TESSARIL_HOST_APP::MouseEvent;
using Journal = std::vector<std::string>;
using Listed = std::vector<std::pair<HWND, LONG>>;  // windows of a pass with their own styles

const std::string kCentre = Send({Rec(32768, 32768, 0, 0x8001)});  // the primary display's centre
const std::string kInWindow = Send({Rec(3755, 4248, 0, 0x8001)});  // (10, 20) in the window at (100, 50)
const std::string kCapsTap = Send({KeyRec(0x14, false), KeyRec(0x14, true)});
const std::string kNumTap = Send({KeyRec(0x90, false), KeyRec(0x90, true)});
std::string Press(int64_t vk) { return Send({KeyRec(vk, false)}); }

KeyEvent Key(int64_t keyCode, bool pressed, int64_t capsLock = 0, bool numLock = false)
{
    TessarilKeyEvent payload = TESSARIL_HOST_APP::KeyEvent(keyCode, pressed, 0, false, numLock);
    payload.capsLock = capsLock;  // any value the viewer may send, not only 0 and 1
    return TESSARIL_SERVER_API::ToKeyEvent(payload);
}

HWND CreateWindowAt(RECT rect, LONG exStyle = 0, const std::string& className = "Notepad")
{
    return SimulatedDesktop::CreateTopLevelWindow({.className = className, .title = "", .rect = rect, .exStyle = exStyle});
}

// A fresh desktop and converter, a clock past every rate limit (those sites are
// statics that outlive a test), and the injector sharing the primary screen.
// Share starts injector and converter on one target, then empties journal and
// log after the converter's rate-limited lines: a test sees only what it injects.
class InputInjectorTest : public ::testing::Test {
protected:
    using Converter = TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost;

    void SetUp() override
    {
        static int64_t testTime = 1'700'000'000'000;
        clock.Set(testTime += 1'000'000);
        SimulatedDesktop::Reset();
        Converter::DestroyInstance();
        ShareScreen();
    }
    void TearDown() override { Converter::DestroyInstance(); }

    void Share(uint64_t id, bool isScreen, int64_t width, int64_t height)
    {
        Converter* converter = Converter::GetInstance();
        converter->SetScreenId(id, isScreen);
        converter->Reset({0, 0, width, height});
        int64_t x = 1, y = 1;
        converter->ViewportToScreen(x, y, width, height);  // spends the rate-limited lines
        injector.Init(id, isScreen);
        ClearRecords();
    }
    void ShareScreen() { Share(IdOf(SimulatedDesktop::PrimaryMonitor()), true, 1920, 1080); }
    // The window at (100, 50), 800 x 600, on a viewport of its size.
    void ShareWindow(HWND window) { Share(IdOf(window), false, 800, 600); }
    void Inject(const Viewer& event) { injector.InjectMouseEvent(TESSARIL_SERVER_API::ToMouseEvent(event)); }
    void InjectInWindow() { Inject(Viewer(10, 20, 800, 600)); }
    void Ignore(IgnoreRequest&& request, bool add = true)
    {
        injector.UpdateIgnoreWindow(TESSARIL_REMOTECONTROL_HOST::ToHostIgnoredWindow(*request.Payload()), add);
    }
    static void ClearRecords() { SimulatedDesktop::ClearJournal(), RecordingLogger::Clear(); }
    static void ExpectJournal(const Journal& journal)
    {
        EXPECT_THAT(SimulatedDesktop::Journal(), ::testing::ElementsAreArray(journal));
    }
    // One injection at the screen's centre, the listed windows changed before
    // and restored after SendInput.
    void ExpectScreenPass(const Listed& windows)
    {
        ClearRecords();
        Inject(Viewer(960, 540, 1920, 1080));
        Journal journal;
        for (const auto& [window, exStyle] : windows) {
            journal.push_back(ExStyleLine(window, exStyle | kTransparent, exStyle));
        }
        journal.insert(journal.end(), {kAwake, kCentre});
        for (const auto& [window, exStyle] : windows) {
            journal.push_back(ExStyleLine(window, exStyle, exStyle | kTransparent));
        }
        ExpectJournal(journal);
    }

    FakeClock clock;
    TESSARIL_REMOTECONTROL_HOST::InputInjector injector;
};

TEST_F(InputInjectorTest, LockKeysFollowTheViewerOnlyBeforeAPressOfAnotherKey)
{
    const struct {
        const char* label;
        KeyEvent event;
        bool hostCaps, hostNum;
        Journal calls;
        bool caps, num;  // afterwards
    } rows[] = {
        {"caps not wanted, host on: stays on", Key(0x41, true, 0), true, false, {Press(0x41)}, true, false},
        {"any non-zero caps value counts", Key(0x41, true, -2), false, false, {kCapsTap, Press(0x41)}, true, false},
        {"both wanted, both off: caps first", Key(0x41, true, 1, true), false, false,
         {kCapsTap, kNumTap, Press(0x41)}, true, true},
        {"num wanted, host num off", Key(0x60, true, 0, true), true, false, {kNumTap, Press(0x60)}, true, true},
        {"num not wanted, host num on: stays on", Key(0x60, true, 1), true, true, {Press(0x60)}, true, true},
        {"a release never syncs", Key(0x41, false, 1, true), false, false, {Send({KeyRec(0x41, true)})}, false, false},
        {"num lock itself toggles alone", Key(VK_NUMLOCK, true, 1, true), false, true, {Press(0x90)}, false, false},
        {"caps lock above 32 bits is still caps lock", Key(0x1'0000'0014, true, 1), false, false, {Press(0x14)}, true,
         false},
        {"0x10014 is no lock key, but its low 16 bits are", Key(0x1'0014, true, 1), false, false,
         {kCapsTap, Press(0x14)}, false, false},
        {"negative code", Key(-1, true), false, false, {Press(0xffff)}, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::Reset();  // every key up: only a press of a key that is up toggles it
        SimulatedDesktop::SetKeyToggled(VK_CAPITAL, row.hostCaps);
        SimulatedDesktop::SetKeyToggled(VK_NUMLOCK, row.hostNum);
        ClearRecords();
        injector.InjectKeyEvent(row.event);
        Journal expected{kAwake};
        expected.insert(expected.end(), row.calls.begin(), row.calls.end());
        ExpectJournal(expected);
        EXPECT_EQ(std::pair(SimulatedDesktop::IsKeyToggled(VK_CAPITAL), SimulatedDesktop::IsKeyToggled(VK_NUMLOCK)),
                  std::pair(row.caps, row.num));
    }
}

// Sequence 0 restarts the ordering, and so do Init and UnInit.
TEST_F(InputInjectorTest, OutOfOrderEventsAreDroppedUntilSequenceZeroOrUnInitRestarts)
{
    for (const int64_t seq : {5, 7, 6, 0, 6}) {
        Inject(Viewer(100 * seq + 1, 10, 1920, 1080).Seq(seq));
    }
    injector.UnInit();
    Inject(Viewer(960, 540, 1920, 1080).Seq(1));
    ExpectJournal({kAwake, Send({Rec(17101, 607, 0, 0x8001)}), kAwake, Send({Rec(23927, 607, 0, 0x8001)}),  // 5, 7
                   kAwake, Send({Rec(34, 607, 0, 0x8001)}), kAwake, Send({Rec(20514, 607, 0, 0x8001)}),     // 0, 6
                   kAwake, kCentre});
}

// Without absolute moves the delta goes out, converted like a point, the
// shared window's origin included.
TEST_F(InputInjectorTest, OnePixelDisplayTakesTheConvertedRelativeMove)
{
    ShareWindow(CreateWindowAt({100, 50, 900, 650}));
    SimulatedDesktop::SetPrimaryScreenSize(1, 1);
    Inject(Viewer(10, 10, 800, 600).Delta(5, -7));
    ExpectJournal({kAwake, Send({Rec(105, 43, 0, 0x0001)})});
}

TEST_F(InputInjectorTest, ResetWindowIdMovesTheCoveredWindowAndResetScreenIdKeepsIt)
{
    const HWND first = CreateWindowAt({100, 50, 900, 650});
    const HWND second = CreateWindowAt({1000, 50, 1800, 650});
    const HWND cover = CreateWindowAt({1500, 0, 1900, 300}, WS_EX_TOOLWINDOW);
    SimulatedDesktop::SetVisible(CreateWindowAt({0, 0, 1900, 700}), false);  // over both, never touched
    ShareWindow(first);

    InjectInWindow();
    injector.ResetWindowId(reinterpret_cast<uintptr_t>(second));
    InjectInWindow();
    injector.ResetScreenId(7);
    InjectInWindow();

    const std::string set = ExStyleLine(cover, WS_EX_TOOLWINDOW | kTransparent, WS_EX_TOOLWINDOW);
    const std::string restore = ExStyleLine(cover, WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW | kTransparent);
    ExpectJournal({kAwake, kInWindow,                    // first, nothing overlapping above it
                   set, kAwake, kInWindow, restore,      // second
                   set, kAwake, kInWindow, restore});    // still second
}

// Neither listed (screen mode) nor covering the shared window (window mode).
TEST_F(InputInjectorTest, PromptWindowIsNeverTouched)
{
    const HWND shared = CreateWindowAt({100, 50, 900, 650});
    const HWND prompt = CreateWindowAt({0, 0, 400, 300}, WS_EX_TOOLWINDOW, "HoyaSSPromptWindow");
    const HWND other = CreateWindowAt({0, 0, 400, 300}, 0, "HoyaSSPromptWindow2");
    Ignore(IgnoreRequest::ByHandle(IdOf(prompt)));
    Ignore(IgnoreRequest::ByHandle(IdOf(other)));
    ExpectScreenPass({{other, 0}});

    ShareWindow(shared);
    InjectInWindow();
    ExpectJournal({ExStyleLine(other, kTransparent, 0), kAwake, kInWindow, ExStyleLine(other, 0, kTransparent)});
}

TEST_F(InputInjectorTest, WindowListedUnderThreeTypesGetsItsOwnStyleBack)
{
    const HWND window =
        SimulatedDesktop::CreateTopLevelWindow({.className = "", .title = "Chat", .processId = 42, .exStyle = WS_EX_TOOLWINDOW});
    Ignore(IgnoreRequest::ByBytes(static_cast<uint32_t>(IdOf(window))));
    Ignore(IgnoreRequest::ByTitles(42, {"Chat"}));
    Ignore(IgnoreRequest::ByHandle(IdOf(window)));

    ExpectScreenPass({{window, WS_EX_TOOLWINDOW}});
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(window), WS_EX_TOOLWINDOW);
}

TEST_F(InputInjectorTest, IgnoreListHoldsEachWindowOnceInOrderUntilRemovedOrCleared)
{
    const HWND a = CreateWindowAt({0, 0, 100, 100});
    const HWND b = CreateWindowAt({0, 0, 100, 100});
    const HWND c = CreateWindowAt({0, 0, 100, 100});
    const auto update = [this](HWND window, bool add) { Ignore(IgnoreRequest::ByHandle(IdOf(window)), add); };
    const struct { const char* label; std::function<void()> change; Listed listed; } rows[] = {
        {"added twice, listed once", [&] { update(a, true); update(a, true); }, {{a, 0}}},
        {"added twice, removed once", [&] { update(a, true); update(a, true); update(a, false); }, {}},
        {"removing one keeps the others in order",
         [&] { update(a, true); update(b, true); update(c, true); update(b, false); }, {{a, 0}, {c, 0}}},
        {"removing an unlisted window", [&] { update(a, true); update(b, false); }, {{a, 0}}},
        {"cleared", [&] { update(a, true); update(b, true); injector.ClearIgnoreWindow(); }, {}},
        {"kept over UnInit and ResetWindowId",
         [&] { update(a, true); injector.UnInit(); injector.ResetWindowId(5); ShareScreen(); }, {{a, 0}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        injector.ClearIgnoreWindow();
        row.change();
        ExpectScreenPass(row.listed);
    }
}

// Exact titles only, of visible windows of the process on this virtual desktop
// (or one the shell cannot place), never the desktop or a button; of the UWP windows only a titled frame
// holding its CoreWindow is one the user sees. Newest (topmost) first.
TEST_F(InputInjectorTest, TitleRequestCollectsTheProcessesVisibleWindowsByExactTitle)
{
    const auto create = [](const char* title, const char* className = "Notepad", DWORD processId = 42) {
        return SimulatedDesktop::CreateTopLevelWindow({.className = className, .title = title, .processId = processId});
    };
    const HWND chat = create("Chat");
    const HWND notes = create("Übersicht – Notizen");
    create("Other"), create("chat"), create("Chat "), create("Chat", "Notepad", 43);
    create("Chat", "Progman"), create("Chat", "Button");  // the desktop and the start button
    SimulatedDesktop::SetVisible(create("Chat"), false);
    SimulatedDesktop::SetMinimised(create("Chat"), true);
    SimulatedDesktop::SetOnCurrentVirtualDesktop(create("Chat"), false);
    const HWND unplaced = create("Chat");
    SimulatedDesktop::SetOnCurrentVirtualDesktop(unplaced, false);
    SimulatedDesktop::FailIsWindowOnCurrentVirtualDesktop(unplaced, true);
    create("Chat", "Windows.UI.Core.CoreWindow");
    SimulatedDesktop::CreateChildWindow(create("", "ApplicationFrameWindow"),
                                        {.className = "Windows.UI.Core.CoreWindow", .title = ""});
    SimulatedDesktop::CreateChildWindow(create("Chat", "ApplicationFrameWindow"), {});
    const HWND frame = create("Chat", "ApplicationFrameWindow");
    SimulatedDesktop::CreateChildWindow(SimulatedDesktop::CreateChildWindow(frame, {}),
                                        {.className = "Windows.UI.Core.CoreWindow", .title = ""});

    Ignore(IgnoreRequest::ByTitles(42, {"Chat", "Übersicht – Notizen", "Chat", ""}));
    ExpectScreenPass({{frame, 0}, {unplaced, 0}, {notes, 0}, {chat, 0}});
    EXPECT_EQ(SimulatedDesktop::LiveVirtualDesktopManagers(), 0);  // the manager asked was released
}

// Windows 7 has no modern applications: a window of the frame class is an
// ordinary window there, collected though it holds no CoreWindow. Windows 8 is 6.2.
TEST_F(InputInjectorTest, FrameClassWindowIsAnOrdinaryWindowOnlyBeforeWindows8)
{
    const HWND window =
        SimulatedDesktop::CreateTopLevelWindow({.className = "ApplicationFrameWindow", .title = "Chat", .processId = 42});
    // Each row's request adds to the list: the hidden frame's row first.
    const struct { const char* label; DWORD minor; Listed listed; } rows[] = {{"6.2", 2, {}}, {"6.1", 1, {{window, 0}}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimulatedDesktop::SetOsVersion(6, row.minor, 0);
        Ignore(IgnoreRequest::ByTitles(42, {"Chat"}));
        ExpectScreenPass(row.listed);
    }
}

// SetWindowLongA answers 0 both on failure and for a replaced style of 0, so
// writing over a zero style fails with an empty text, not an earlier call's code.
TEST_F(InputInjectorTest, RestoringOverAZeroStyleCountsAsAFailure)
{
    const HWND window = CreateWindowAt({0, 0, 100, 100});
    SetLastError(ERROR_ACCESS_DENIED);
    std::string error = "untouched";
    using namespace TESSARIL_REMOTECONTROL_HOST;
    EXPECT_FALSE(ResetIgnoreMouseEvents(FromHwnd(window), WS_EX_TOOLWINDOW, error));
    EXPECT_EQ(error, "");
}

}  // namespace
