#include <gmock/gmock.h>

#include <cstdlib>

#include "JournalQueries.h"
#include "PluginSessionTest.h"
#include "TestWindow.h"

namespace {

using ::testing::IsEmpty;

// The shared window is 400 x 300 at (100, 100); the covering window lies over
// its lower right part. The viewer's viewport is twice the window's size, so a
// viewport position maps to half its value inside the window.
constexpr RECT kSharedRect{100, 100, 500, 400};
constexpr RECT kCoveringRect{300, 250, 700, 600};
constexpr int64_t kViewportWidth = 800;
constexpr int64_t kViewportHeight = 600;

bool SamePoint(POINT a, POINT b)
{
    // Wine turns SendInput's absolute coordinates into pixels by a shift,
    // which can land one pixel short of the position the plugin encoded.
    return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
}

using WindowModeTest = PluginSessionTest;

TEST_F(WindowModeTest, ClickInCoveredPartReachesSharedWindow)
{
    TestWindow shared(ui, {L"TessarilE2eShared", L"Shared window", kSharedRect, 0, false});
    TestWindow covering(ui, {L"TessarilE2eCovering", L"Covering window", kCoveringRect, WS_EX_TOOLWINDOW, false});
    const LONG coveringExStyle = covering.ExStyle();
    ASSERT_EQ(StartWindow(shared.Handle()), TESSARIL_RESULT_DONE);

    // Window position (300, 250), screen position (400, 350): inside the covering window.
    Click(600, 500, kViewportWidth, kViewportHeight);

    ASSERT_TRUE(Eventually([&] { return !shared.ButtonDowns().empty(); })) << "the click never reached the shared window";
    const POINT clicked = shared.ButtonDowns().front();
    EXPECT_TRUE(SamePoint(clicked, POINT{300, 250})) << clicked.x << "," << clicked.y;
    EXPECT_THAT(covering.ButtonDowns(), IsEmpty());
    EXPECT_EQ(covering.ExStyle(), coveringExStyle);
    // Made transparent and restored, once for the press and once for the release.
    EXPECT_EQ(covering.ExStyleChanges(), 4);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_TRUE(SamePoint(cursor, POINT{400, 350})) << cursor.x << "," << cursor.y;
}

}  // namespace
