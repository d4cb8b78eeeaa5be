#include <gtest/gtest.h>

#include "JournalQueries.h"
#include "PluginSessionTest.h"
#include "TestWindow.h"

namespace {

using TESSARIL_HOST_APP::KeyEvent;
using TESSARIL_HOST_APP::MouseEvent;

constexpr RECT kSharedRect{100, 100, 500, 400};
constexpr int64_t kViewportWidth = 400;
constexpr int64_t kViewportHeight = 300;

bool Down(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool ShiftOrButtonDown()
{
    return Down(VK_SHIFT) || Down(VK_LBUTTON);
}

class ReleaseAtStopTest : public PluginSessionTest {
protected:
    // A failed run must not leave Shift or the button down for the tests after it.
    void TearDown() override
    {
        session.Finish();
        INPUT ups[2]{};
        ups[0].type = INPUT_KEYBOARD;
        ups[0].ki.wVk = VK_SHIFT;
        ups[0].ki.dwFlags = KEYEVENTF_KEYUP;
        ups[1].type = INPUT_MOUSE;
        ups[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        if (ShiftOrButtonDown()) {
            SendInput(2, ups, sizeof(INPUT));
        }
    }
};

TEST_F(ReleaseAtStopTest, HeldShiftAndLeftButtonAreUpAfterTheStop)
{
    TestWindow shared({L"TessarilE2eReleaseShared", L"Shared window", kSharedRect});
    ASSERT_EQ(StartWindow(shared.Handle()), TESSARIL_RESULT_DONE);
    // Shift goes down after the last mouse event: Wine resyncs its modifiers
    // with the X server when an extended style changes around a click, and an
    // injected Shift would read as up before the stop.
    ASSERT_TRUE(session.Mouse(MouseEvent(200, 150, kViewportWidth, kViewportHeight).Button(1, true).Seq(1)));
    ASSERT_TRUE(session.Key(KeyEvent(VK_SHIFT, true, 1)));
    ASSERT_TRUE(Eventually([] { return Down(VK_SHIFT) && Down(VK_LBUTTON); }))
        << "Shift " << Down(VK_SHIFT) << ", left button " << Down(VK_LBUTTON) << " before the stop";

    EXPECT_EQ(session.StopHost(), TESSARIL_RESULT_DONE);

    EXPECT_TRUE(Eventually([] { return !ShiftOrButtonDown(); }))
        << "Shift " << Down(VK_SHIFT) << ", left button " << Down(VK_LBUTTON) << " after the stop";
}

}  // namespace
