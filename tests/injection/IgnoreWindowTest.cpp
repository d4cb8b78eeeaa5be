#include <functional>
#include <thread>

#include "InjectorTest.h"
#include "injection/WindowUtilities.h"

namespace {

// Viewport (10, 20) in the window at (100, 50): the screen point (110, 70).
const std::string kInWindow = Send({Rec(3755, 4248, 0, 0x8001)});

class IgnoreWindowTest : public InjectorTest {
protected:
    void InjectInWindow() { Inject(Viewer(10, 20, 800, 600)); }

    // One injection at the screen's centre, with the listed windows (and their
    // own styles) changed before and restored after SendInput.
    void ExpectScreenPass(const std::vector<std::pair<HWND, LONG>>& windows)
    {
        ClearRecords();
        Inject(On1080p());
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
};

TEST_F(IgnoreWindowTest, ResetWindowIdMovesTheCoveredWindowAndResetScreenIdKeepsIt)
{
    const HWND first = CreateWindowAt({100, 50, 900, 650});
    const HWND second = CreateWindowAt({1000, 50, 1800, 650});
    const HWND cover = CreateWindowAt({1500, 0, 1900, 300}, WS_EX_TOOLWINDOW);
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
TEST_F(IgnoreWindowTest, PromptWindowIsNeverTouched)
{
    const HWND shared = CreateWindowAt({100, 50, 900, 650});
    const HWND prompt = CreateWindowAt({0, 0, 400, 300}, WS_EX_TOOLWINDOW, "HoyaSSPromptWindow");
    const HWND other = CreateWindowAt({0, 0, 400, 300}, 0, "HoyaSSPromptWindow2");
    injector.UpdateIgnoreWindow(ByHandle(prompt), true);
    injector.UpdateIgnoreWindow(ByHandle(other), true);
    ExpectScreenPass({{other, 0}});

    ShareWindow(shared);
    InjectInWindow();
    ExpectJournal({ExStyleLine(other, kTransparent, 0), kAwake, kInWindow, ExStyleLine(other, 0, kTransparent)});
}

TEST_F(IgnoreWindowTest, WindowListedUnderThreeTypesGetsItsOwnStyleBack)
{
    SimulatedDesktop::WindowSpec windowSpec;
    std::tie(windowSpec.title, windowSpec.processId, windowSpec.exStyle) = std::tuple("Chat", 42, WS_EX_TOOLWINDOW);
    const HWND window = SimulatedDesktop::CreateTopLevelWindow(windowSpec);
    const std::array<uint8_t, 4> bytes = BytesOf(window);
    injector.UpdateIgnoreWindow(ByBytes(bytes.data(), 4), true);
    injector.UpdateIgnoreWindow(ByTitles(42, {"Chat"}), true);
    injector.UpdateIgnoreWindow(ByHandle(window), true);

    ExpectScreenPass({{window, WS_EX_TOOLWINDOW}});
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(window), WS_EX_TOOLWINDOW);
}

TEST_F(IgnoreWindowTest, ListHoldsEachWindowOnceInOrderUntilRemovedOrCleared)
{
    const HWND a = CreateWindowAt({0, 0, 100, 100});
    const HWND b = CreateWindowAt({0, 0, 100, 100});
    const HWND c = CreateWindowAt({0, 0, 100, 100});
    const auto update = [this](HWND window, bool add) { injector.UpdateIgnoreWindow(ByHandle(window), add); };
    const struct { const char* label; std::function<void()> change; std::vector<std::pair<HWND, LONG>> listed; } rows[] = {
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
// (or one the shell cannot place); of the UWP windows only a titled frame
// holding its CoreWindow is a window the user sees. Newest (topmost) first.
TEST_F(IgnoreWindowTest, TitleRequestCollectsTheProcessesVisibleWindowsByExactTitle)
{
    const auto create = [](const char* title, const char* className = "Notepad", DWORD processId = 42) {
        SimulatedDesktop::WindowSpec windowSpec;
        std::tie(windowSpec.title, windowSpec.className, windowSpec.processId) = std::tuple(title, className, processId);
        return SimulatedDesktop::CreateTopLevelWindow(windowSpec);
    };
    const HWND chat = create("Chat");
    const HWND notes = create("Übersicht – Notizen");
    create("Other"), create("chat"), create("Chat "), create("Chat", "Notepad", 43);
    SimulatedDesktop::SetVisible(create("Chat"), false);
    SimulatedDesktop::SetMinimised(create("Chat"), true);
    SimulatedDesktop::SetOnCurrentVirtualDesktop(create("Chat"), false);
    const HWND unplaced = create("Chat");
    SimulatedDesktop::SetOnCurrentVirtualDesktop(unplaced, false);
    SimulatedDesktop::FailIsWindowOnCurrentVirtualDesktop(unplaced, true);
    create("Chat", "Windows.UI.Core.CoreWindow");
    SimulatedDesktop::CreateChildWindow(create("Chat", "ApplicationFrameWindow"), {});
    const HWND frame = create("Chat", "ApplicationFrameWindow");
    SimulatedDesktop::WindowSpec coreWindow;
    coreWindow.className = "Windows.UI.Core.CoreWindow";
    SimulatedDesktop::CreateChildWindow(SimulatedDesktop::CreateChildWindow(frame, {}), coreWindow);

    injector.UpdateIgnoreWindow(ByTitles(42, {"Chat", "Übersicht – Notizen", "Chat"}), true);
    ExpectScreenPass({{frame, 0}, {unplaced, 0}, {notes, 0}, {chat, 0}});
}

// SetWindowLongA answers 0 both on failure and for a replaced style of 0, so
// writing over a zero style fails with an empty text, not an earlier call's code.
TEST_F(IgnoreWindowTest, RestoringOverAZeroStyleCountsAsAFailure)
{
    const HWND window = CreateWindowAt({0, 0, 100, 100});
    SetLastError(ERROR_ACCESS_DENIED);
    std::string error = "untouched";
    using namespace TESSARIL_REMOTECONTROL_HOST;
    EXPECT_FALSE(ResetIgnoreMouseEvents(FromHwnd(window), WS_EX_TOOLWINDOW, error));
    EXPECT_EQ(error, "");
}

// Mouse events on a thread of their own, as the message-channel host delivers
// them, while the command thread changes the list: every change made before a
// SendInput is undone after it.
TEST_F(IgnoreWindowTest, ListChangesDuringInjectionLeaveEveryWindowAsItWas)
{
    constexpr int kRounds = 400;
    const std::array<LONG, 4> exStyles = {0, WS_EX_TOOLWINDOW, WS_EX_APPWINDOW, WS_EX_WINDOWEDGE};
    std::array<HWND, 4> windows{};
    for (size_t i = 0; i < windows.size(); ++i) {
        windows[i] = CreateWindowAt({0, 0, 100, 100}, exStyles[i]);
    }
    std::thread injecting([this] {
        for (int i = 0; i < kRounds; ++i) {
            Inject(On1080p(100 + i, 200));
        }
    });
    for (int i = 0; i < kRounds; ++i) {
        const std::array<uint8_t, 4> bytes = BytesOf(windows[i % 4]);
        injector.UpdateIgnoreWindow(ByHandle(windows[i % 4]), true);
        injector.UpdateIgnoreWindow(ByBytes(bytes.data(), 4), true);
        injector.UpdateIgnoreWindow(ByHandle(windows[(i + 1) % 4]), false);
        if (i % 50 == 49) {
            injector.ClearIgnoreWindow();
        }
    }
    injecting.join();
    for (size_t i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(SimulatedDesktop::ExStyleOf(windows[i]), exStyles[i]) << i;
    }
}

}  // namespace
