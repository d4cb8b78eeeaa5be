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

TEST_F(ZOrderTest, GetWindowAnswersEachCommandAmongSiblings)
{
    HWND a = TopLevel("A");
    HWND b = TopLevel("B");
    HWND c = TopLevel("C");
    HWND lowerChild = Child(b, "Lower");
    HWND upperChild = Child(b, "Upper");
    const struct {
        const char* label;
        HWND window;
        UINT command;
        HWND expected;
    } rows[] = {
        {"first of the bottom window", a, GW_HWNDFIRST, c},  {"last of the top window", c, GW_HWNDLAST, a},
        {"next below the top", c, GW_HWNDNEXT, b},           {"next below the bottom", a, GW_HWNDNEXT, nullptr},
        {"top child", b, GW_CHILD, upperChild},              {"child of a childless window", a, GW_CHILD, nullptr},
        {"next among children", upperChild, GW_HWNDNEXT, lowerChild},
        {"first among children", lowerChild, GW_HWNDFIRST, upperChild},
        {"no window has an owner", a, GW_OWNER, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(GetWindow(row.window, row.command), row.expected);
    }
}

TEST_F(ZOrderTest, GetWindowRefusesUnknownWindowsAndCommands)
{
    HWND window = TopLevel("A");
    EXPECT_EQ(GetWindow(reinterpret_cast<HWND>(0x4242), GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_WINDOW_HANDLE});
    EXPECT_EQ(GetWindow(window, 6), nullptr);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_GW_COMMAND});
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

TEST_F(ZOrderTest, EnumWindowsSkipsWindowsTheCallbackDestroyed)
{
    HWND bottom = TopLevel("Bottom");
    HWND top = TopLevel("Top");
    struct Destroyer {
        HWND victim;
        std::vector<HWND> seen;
    } destroyer{bottom, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* self = reinterpret_cast<Destroyer*>(param);
            self->seen.push_back(window);
            SimulatedDesktop::DestroyWindow(self->victim);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&destroyer));
    EXPECT_THAT(destroyer.seen, ElementsAre(top));
}

TEST_F(ZOrderTest, DestroyingAWindowDestroysItsDescendants)
{
    HWND parent = TopLevel("Parent");
    HWND grandchild = Child(Child(parent, "Child"), "Grandchild");
    SimulatedDesktop::DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(grandchild));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_WINDOW_HANDLE});
}

TEST_F(ZOrderTest, IsWindowVisibleNeedsEveryAncestorVisible)
{
    HWND parent = TopLevel("Parent");
    HWND child = Child(parent, "Child");
    EXPECT_TRUE(IsWindowVisible(child));
    SimulatedDesktop::SetVisible(parent, false);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_EQ(SimulatedDesktop::StyleOf(child) & WS_VISIBLE, WS_VISIBLE) << "its own style is unchanged";
}

TEST_F(ZOrderTest, MovingAWindowMovesItsChildren)
{
    HWND parent = TopLevel("Parent", {100, 100, 500, 400});
    HWND child = Child(parent, "Child", {110, 120, 210, 220});
    SimulatedDesktop::SetWindowRect(parent, {0, 50, 300, 250});
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(child, &rect));
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 70);
    EXPECT_EQ(rect.right, 110);
    EXPECT_EQ(rect.bottom, 170);
}

}  // namespace
