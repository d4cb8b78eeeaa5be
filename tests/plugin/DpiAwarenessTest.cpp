#include "PluginTest.h"

namespace {

// A laptop at 150 % (1920 x 1080 physical) with a 100 % monitor to its right;
// the calling thread is made unaware, or per-monitor aware, before each row.
class DpiAwarenessTest : public PluginTest {
protected:
    void Scale(DPI_AWARENESS_CONTEXT threadContext)
    {
        Restart();
        SimulatedDesktop::SetMonitorDpi(SimulatedDesktop::PrimaryMonitor(), 144);
        secondary = SimulatedDesktop::AddMonitor({1920, 0, 3840, 1080}, false);
        SetThreadDpiAwarenessContext(threadContext);
        context = GetThreadDpiAwarenessContext();
        Forget();
    }
    // Each export call leaves the thread's context as it found it.
    void ExpectContextKept() { EXPECT_EQ(GetThreadDpiAwarenessContext(), context); }

    HMONITOR secondary = nullptr;
    DPI_AWARENESS_CONTEXT context = nullptr;
};

// The click lands on the physical point the viewer clicked and the cursor
// samples are physical, for a thread of either awareness.
TEST_F(DpiAwarenessTest, ClicksAndCursorSamplesArePhysicalWhateverTheThreadsAwareness)
{
    const struct {
        const char* label;
        bool screen;
        RECT window;  // window mode: the shared window; screen mode: the monitor's
        bool primary;  // screen mode: the monitor shared
        POINT viewer;  // in a viewport of the shared area's physical size
        POINT click;
        POINT cursor;
        std::string batch;
    } rows[] = {
        {"screen mode, the 100 % monitor right of the primary", true, {1920, 0, 3840, 1080}, false, {960, 540},
         {2880, 540}, {2000, 100}, CursorBatch(0, 2000, 100, 1920, 1080)},
        {"screen mode, the 150 % primary; an odd pixel", true, {0, 0, 1920, 1080}, true, {961, 541}, {961, 541},
         {900, 600}, CursorBatch(0, 900, 600, 1920, 1080)},
        {"window mode, a window on the 100 % monitor", false, {2200, 100, 3000, 700}, false, {400, 300}, {2600, 400},
         {2300, 150}, CursorBatch(0, 100, 50, 800, 600)},
        {"window mode, a window on the 150 % primary", false, {300, 200, 1100, 800}, true, {401, 301}, {701, 501},
         {400, 300}, CursorBatch(0, 100, 100, 800, 600)},
    };
    for (const auto& row : rows) {
        for (const DPI_AWARENESS awareness : {DPI_AWARENESS_UNAWARE, DPI_AWARENESS_PER_MONITOR_AWARE}) {
            SCOPED_TRACE(fmt::format("{}, thread awareness {}", row.label, static_cast<int>(awareness)));
            Scale(awareness == DPI_AWARENESS_UNAWARE ? DPI_AWARENESS_CONTEXT_UNAWARE
                                                     : DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
            const LONG width = row.window.right - row.window.left;
            const LONG height = row.window.bottom - row.window.top;
            const HMONITOR monitor = row.primary ? SimulatedDesktop::PrimaryMonitor() : secondary;
            SimulatedDesktop::SetWindowRect(editor, row.window);  // shared in window mode only
            ASSERT_EQ(row.screen ? session.Start(IdOf(monitor), true) : StartWindow(), 0);
            session.Receive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, Viewport(width, height));
            ExpectContextKept();

            // The size the viewport message gave: screen mode keeps the scale computed then.
            const int64_t stored = TESSARIL_VIEWPORT_SIZE_SENTINEL;
            EXPECT_TRUE(session.Mouse(MouseEvent(row.viewer.x, row.viewer.y, stored, stored).Seq(1).CreatedAt(clock.Now())));

            ExpectContextKept();
            const POINT landed = SimulatedDesktop::CursorPosition();
            EXPECT_EQ(std::pair(landed.x, landed.y), std::pair(row.click.x, row.click.y));
            // The cursor thread takes the process's awareness.
            SimulatedDesktop::SetProcessDpiAwarenessDefault(awareness);
            SimulatedDesktop::SetCursorFlags(CURSOR_SHOWING);
            SimulatedDesktop::SetCursorPosition(row.cursor);
            EXPECT_TRUE(Eventually([&] { return LastBatch() == row.batch; })) << LastBatch();
            EXPECT_EQ(session.StopHost(), 0);
            ExpectContextKept();
        }
    }
}

// The switch and the restore are the only calls added, and only on a thread
// that is not per-monitor aware; where the system refuses per-monitor v2 the
// switch takes per-monitor, and where it refuses both nothing is switched.
TEST_F(DpiAwarenessTest, ThreadsNotPerMonitorAwareAreSwitchedAroundTheInjectionAndRestored)
{
    const std::string injection[] = {kAwake, Send({Rec(98303, 32768, 0, 0x8001)})};  // 2880,540 over 1920 x 1080
    const std::string refusedV2 = "SetThreadDpiAwarenessContext PER_MONITOR_AWARE_V2 -> 0 error=87";
    const struct {
        const char* label;
        DPI_AWARENESS_CONTEXT thread;
        SimulatedDesktop::ThreadDpiContexts accepted;
        Lines journal;
    } rows[] = {
        {"unaware", DPI_AWARENESS_CONTEXT_UNAWARE, SimulatedDesktop::ThreadDpiContexts::All,
         {"SetThreadDpiAwarenessContext PER_MONITOR_AWARE_V2 -> 0x00000010", injection[0], injection[1],
          "SetThreadDpiAwarenessContext 0x00000010 -> 0x00000022"}},
        {"system aware", DPI_AWARENESS_CONTEXT_SYSTEM_AWARE, SimulatedDesktop::ThreadDpiContexts::All,
         {"SetThreadDpiAwarenessContext PER_MONITOR_AWARE_V2 -> 0x00000011", injection[0], injection[1],
          "SetThreadDpiAwarenessContext 0x00000011 -> 0x00000022"}},
        {"unaware, per-monitor v2 refused", DPI_AWARENESS_CONTEXT_UNAWARE,
         SimulatedDesktop::ThreadDpiContexts::AllButPerMonitorV2,
         {refusedV2, "SetThreadDpiAwarenessContext PER_MONITOR_AWARE -> 0x00000010", injection[0], injection[1],
          "SetThreadDpiAwarenessContext 0x00000010 -> 0x00000012"}},
        {"per-monitor aware", DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, SimulatedDesktop::ThreadDpiContexts::All,
         {injection[0], injection[1]}},
        // As before the switch existed: 2880,540 normalised against the logical 1280 x 720.
        {"unaware, every context refused", DPI_AWARENESS_CONTEXT_UNAWARE, SimulatedDesktop::ThreadDpiContexts::None,
         {refusedV2, "SetThreadDpiAwarenessContext PER_MONITOR_AWARE -> 0 error=87", kAwake,
          Send({Rec(147454, 49151, 0, 0x8001)})}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Scale(row.thread);
        ASSERT_EQ(session.Start(IdOf(secondary), true), 0);
        SimulatedDesktop::SetThreadDpiContexts(row.accepted);
        Forget();
        SetLastError(ERROR_ACCESS_DENIED);

        EXPECT_TRUE(session.Mouse(MouseEvent(960, 540, 1920, 1080).Seq(1).CreatedAt(clock.Now())));

        EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAreArray(row.journal));
        EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
        ExpectContextKept();
    }
}

// The shared window lies mostly on the 150 % primary, the window over its right
// edge on the 100 % monitor: they overlap in physical pixels only, so an unaware
// thread's rectangles would find nothing to make click-through, for the press or
// for the release of the held button at the stop.
TEST_F(DpiAwarenessTest, CoveringWindowOnTheOtherMonitorLetsThePressAndTheReleaseThrough)
{
    Scale(DPI_AWARENESS_CONTEXT_UNAWARE);
    SimulatedDesktop::SetWindowRect(editor, {1000, 100, 1950, 700});
    const HWND chat = CreateChat("Chat", {1900, 100, 2600, 700}, 0);
    ASSERT_EQ(StartWindow(), 0);
    const Lines clickThrough{ExStyleLine(chat, kTransparent, 0), ExStyleLine(chat, 0, kTransparent)};

    EXPECT_TRUE(session.Mouse(Mouse(790, 10, 1).Button(1, true, 1)));
    EXPECT_THAT(JournalStartingWith("SetWindowLongA"), ElementsAreArray(clickThrough));
    Forget();
    EXPECT_EQ(session.StopHost(), 0);

    EXPECT_THAT(JournalStartingWith("SetWindowLongA"), ElementsAreArray(clickThrough));
    ExpectContextKept();
}

}  // namespace
