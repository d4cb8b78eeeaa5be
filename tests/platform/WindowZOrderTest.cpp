#include <gmock/gmock.h>

#include <vector>

#include "DesktopTest.h"

namespace {

using ::testing::ElementsAre;
using ZOrderTest = DesktopTest;

// Collects what an enumeration delivers and stops after `limit` windows.
struct Collector {
    std::vector<HWND> seen;
    size_t limit = SIZE_MAX;

    static BOOL CALLBACK Visit(HWND window, LPARAM param)
    {
        auto* self = reinterpret_cast<Collector*>(param);
        self->seen.push_back(window);
        return self->seen.size() < self->limit;
    }
    LPARAM Param() { return reinterpret_cast<LPARAM>(this); }
};

TEST_F(ZOrderTest, GetWindowPrevWalksUpTheZOrder)
{
    HWND bottom = TopLevel("Bottom");
    HWND middle = TopLevel("Middle");
    HWND top = TopLevel("Top");
    std::vector<HWND> walked;
    for (HWND w = GetWindow(bottom, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV)) {
        walked.push_back(w);
    }
    EXPECT_THAT(walked, ElementsAre(middle, top));
    EXPECT_EQ(GetWindow(top, GW_HWNDPREV), nullptr);
}

TEST_F(ZOrderTest, TopmostWindowsStayAboveNewAndRaisedWindows)
{
    SimulatedDesktop::WindowSpec topmostSpec;
    topmostSpec.exStyle = WS_EX_TOPMOST;
    HWND topmost = SimulatedDesktop::CreateTopLevelWindow(topmostSpec);
    HWND first = TopLevel("First");
    HWND second = TopLevel("Second");
    SimulatedDesktop::BringToTop(first);
    Collector collector;
    EnumWindows(Collector::Visit, collector.Param());
    EXPECT_THAT(collector.seen, ElementsAre(topmost, first, second));
}

TEST_F(ZOrderTest, EnumWindowsGoesTopToBottomAndStopsWhenTheCallbackSaysSo)
{
    HWND bottom = TopLevel("Bottom");
    HWND top = TopLevel("Top");
    Child(top, "NotTopLevel");
    Collector all;
    EXPECT_TRUE(EnumWindows(Collector::Visit, all.Param()));
    EXPECT_THAT(all.seen, ElementsAre(top, bottom));

    Collector first;
    first.limit = 1;
    EXPECT_FALSE(EnumWindows(Collector::Visit, first.Param()));
    EXPECT_THAT(first.seen, ElementsAre(top));
}

TEST_F(ZOrderTest, EnumChildWindowsVisitsDescendantsDepthFirst)
{
    HWND parent = TopLevel("Parent");
    HWND lower = Child(parent, "Lower");
    HWND upper = Child(parent, "Upper");
    HWND grandchild = Child(upper, "Grandchild");
    Collector all;
    EXPECT_TRUE(EnumChildWindows(parent, Collector::Visit, all.Param()));
    EXPECT_THAT(all.seen, ElementsAre(upper, grandchild, lower));

    Collector two;
    two.limit = 2;
    EXPECT_FALSE(EnumChildWindows(parent, Collector::Visit, two.Param()));
    EXPECT_THAT(two.seen, ElementsAre(upper, grandchild));

    Collector none;
    EXPECT_FALSE(EnumChildWindows(lower, Collector::Visit, none.Param()));
    EXPECT_TRUE(none.seen.empty());
}

}  // namespace
