#include <functional>
#include <thread>

#include "InjectorTest.h"

namespace {

// Viewport (10, 20) in the window at (100, 50): the screen point (110, 70).
const std::string kInWindow = Send({Rec(3755, 4248, 0, 0x8001)});
constexpr const char* kUpdateTrace = "TESSARIL_REMOTECONTROL_HOST::InputInjectorImpl::UpdateIgnoreWindow";
const LoggedLine kInjectLine = InfoLine("Inject a MouseEvent");

const LoggedLine kEntry = InfoLine(fmt::format("entry {}", kUpdateTrace));
const LoggedLine kExit = InfoLine(fmt::format("exit {}, cost : 0", kUpdateTrace));
LoggedLine Added(HWND window)
{
    return InfoLine(fmt::format("UpdateIgnoreWindow hwnd is {:#08x}, if add true", LoggedHandle(window)));
}

class IgnoreWindowTest : public InjectorTest {
protected:
    void InjectInWindow() { injector.InjectMouseEvent(MouseEventBuilder().At(10, 20).Viewport(800, 600)); }

    // One injection at the screen's centre, with the listed windows (and their
    // own styles) changed before and restored after SendInput.
    static Journal ScreenPass(const std::vector<std::pair<HWND, LONG>>& windows)
    {
        Journal journal;
        for (const auto& [window, exStyle] : windows) {
            journal.push_back(ExStyleLine(window, exStyle | kTransparent, exStyle));
        }
        journal.insert(journal.end(), {kAwake, kCentre});
        for (const auto& [window, exStyle] : windows) {
            journal.push_back(ExStyleLine(window, exStyle, exStyle | kTransparent));
        }
        return journal;
    }
    void ExpectScreenPass(const std::vector<std::pair<HWND, LONG>>& windows)
    {
        ClearRecords();
        injector.InjectMouseEvent(MouseEventBuilder());
        ExpectJournal(ScreenPass(windows));
    }
};

TEST_F(IgnoreWindowTest, ResetWindowIdMovesTheCoveredWindowAndResetScreenIdOnlyLogs)
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
    ExpectLog({kInjectLine, InfoLine(fmt::format("Reset Window Id {}", reinterpret_cast<uintptr_t>(second))),
               InfoLine("Reset Screen Id 7")});
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

TEST_F(IgnoreWindowTest, InvalidRequestsAreRefusedAndChangeNothing)
{
    const uint8_t bytes[8] = {0x10, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00};
    const uint8_t zero[4] = {};
    const LoggedLine invalid = ErrorLine("HostIgnoredWindow invalid");
    const struct { const char* label; HostIgnoredWindow request; LoggedLine refusal; } rows[] = {
        {"three bytes", ByBytes(bytes, 3), invalid},
        {"eight bytes", ByBytes(bytes, 8), invalid},
        {"no bytes", ByBytes(nullptr, 4), invalid},
        {"handle 0 as bytes", ByBytes(zero, 4), invalid},
        {"handle 0", Ignore(3, 0), WarningLine("invalid ignore type:3")},
        // a handle naming a window (the first of a fresh desktop): only the type is wrong
        {"type 4", Ignore(4, 0x10010), WarningLine("invalid ignore type:4")},
        {"type 0", Ignore(0, 0x10010), WarningLine("invalid ignore type:0")},
        {"type -1", Ignore(-1, 0x10010), WarningLine("invalid ignore type:-1")},
    };
    CreateWindowAt({0, 0, 100, 100});
    injector.InjectMouseEvent(MouseEventBuilder());  // spends the rate-limited inject line
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ClearRecords();
        injector.UpdateIgnoreWindow(row.request, true);
        injector.InjectMouseEvent(MouseEventBuilder());
        ExpectLog({kEntry, InfoLine(fmt::format("UpdateIgnoreWindow ignoreType = {}", row.request.ignoreType)),
                   row.refusal, kExit});
        ExpectJournal({kAwake, kCentre});
    }
}

TEST_F(IgnoreWindowTest, TitleRequestCollectsVisibleWindowsOfTheProcessByExactTitle)
{
    const auto create = [](DWORD processId, const char* title, bool visible = true, bool minimised = false) {
        SimulatedDesktop::WindowSpec windowSpec;
        std::tie(windowSpec.title, windowSpec.processId, windowSpec.visible, windowSpec.minimised) = std::tuple(title, processId, visible, minimised);
        return SimulatedDesktop::CreateTopLevelWindow(windowSpec);
    };
    const HWND chat = create(42, "Chat");
    const HWND notes = create(42, "Übersicht – Notizen");
    create(42, "Other"); create(42, "chat"); create(42, "Chat "); create(43, "Chat");
    create(42, "Chat", false); create(42, "Chat", true, true);
    ClearRecords();

    injector.UpdateIgnoreWindow(ByTitles(42, {"Chat", "Übersicht – Notizen", "Chat"}), true);
    ExpectLog({kEntry, InfoLine("UpdateIgnoreWindow ignoreType = 2"), Added(notes), Added(chat),
               kExit});
    ExpectScreenPass({{notes, 0}, {chat, 0}});
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
            injector.InjectMouseEvent(MouseEventBuilder().At(100 + i, 200));
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
