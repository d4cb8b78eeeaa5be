#include <gtest/gtest.h>

#include "JournalQueries.h"
#include "PluginSessionTest.h"
#include "TestWindow.h"
#include "ViewerInput.h"

namespace {

constexpr RECT kSharedRect{100, 100, 500, 400};
constexpr int64_t kViewportWidth = 400;
constexpr int64_t kViewportHeight = 300;
constexpr int32_t kPress = 1;

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
        PluginSessionTest::TearDown();
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
    TestWindow shared(ui, {L"TessarilE2eReleaseShared", L"Shared window", kSharedRect, 0, false});
    ASSERT_EQ(StartWindow(shared.Handle()), TESSARIL_RESULT_DONE);
    // Shift goes down after the last mouse event: Wine resyncs its modifiers
    // with the X server when an extended style changes around a click, and an
    // injected Shift would read as up before the stop.
    const TessarilMouseEventFFI press = ViewerInput::Mouse(200, 150, kPress, kViewportWidth, kViewportHeight, 1);
    ASSERT_TRUE(plugin.onReceive(TESSARIL_MSG_MOUSE_EVENT, &press));
    const TessarilKeyEvent shift = ViewerInput::Key(VK_SHIFT, true, false, 1);
    ASSERT_TRUE(plugin.onReceive(TESSARIL_MSG_KEY_EVENT, &shift));
    ASSERT_TRUE(Eventually([] { return Down(VK_SHIFT) && Down(VK_LBUTTON); }))
        << "Shift " << Down(VK_SHIFT) << ", left button " << Down(VK_LBUTTON) << " before the stop";

    EXPECT_EQ(StopHost(), TESSARIL_RESULT_DONE);

    EXPECT_TRUE(Eventually([] { return !ShiftOrButtonDown(); }))
        << "Shift " << Down(VK_SHIFT) << ", left button " << Down(VK_LBUTTON) << " after the stop";
}

}  // namespace
