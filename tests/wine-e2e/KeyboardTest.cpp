#include <gtest/gtest.h>

#include <string>

#include "JournalQueries.h"
#include "HostDesktop.h"
#include "NotepadProcess.h"
#include "PluginSessionTest.h"

namespace {

constexpr RECT kNotepadRect{100, 100, 600, 500};

bool HostCapsLockOn()
{
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

// The host's Caps Lock as the test wants it, switched with a key press of its own.
void SetHostCapsLock(bool on)
{
    TESSARIL_HOST_APP::HostDesktop::SetCapsLock(on);
    Eventually([on] { return HostCapsLockOn() == on; });
}

class KeyboardTest : public PluginSessionTest {
protected:
    void TearDown() override
    {
        PluginSessionTest::TearDown();
        SetHostCapsLock(false);
    }
};

TEST_F(KeyboardTest, ViewerCapsLockTypesUpperCaseIntoNotepad)
{
    NotepadProcess notepad;
    ASSERT_NE(notepad.Edit(), nullptr) << "notepad's window did not appear";
    const RECT& r = kNotepadRect;
    SetWindowPos(notepad.Window(), HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
    SetHostCapsLock(false);
    ASSERT_FALSE(HostCapsLockOn());
    ASSERT_EQ(StartWindow(notepad.Window()), TESSARIL_RESULT_DONE);

    // The viewer clicks into the text first, which gives notepad the keyboard.
    Click(250, 250, r.right - r.left, r.bottom - r.top);
    Eventually([&] { return GetForegroundWindow() == notepad.Window(); });
    Type('H', true);
    Type('I', true);

    EXPECT_TRUE(Eventually([&] { return notepad.Text() == L"HI"; }))
        << "notepad holds \"" << std::string(notepad.Text().begin(), notepad.Text().end()) << "\"";
    EXPECT_TRUE(HostCapsLockOn());
}

}  // namespace
