#include <gmock/gmock.h>

#include <string>

#include "DesktopTest.h"

namespace {

using ::testing::ElementsAre;
using WindowPropertiesTest = DesktopTest;

std::u16string Units(const wchar_t* text, int length)
{
    std::u16string units;
    for (int i = 0; i < length; ++i) {
        units.push_back(static_cast<char16_t>(text[i]));
    }
    return units;
}

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(IntersectRectTest, IntersectsOnlyRectanglesThatShareAPixel)
{
    const struct {
        const char* label;
        RECT a;
        RECT b;
        BOOL intersects;
        RECT expected;
    } rows[] = {
        {"overlap", {0, 0, 100, 100}, {50, 60, 150, 160}, TRUE, {50, 60, 100, 100}},
        {"contained", {0, 0, 100, 100}, {10, 10, 20, 20}, TRUE, {10, 10, 20, 20}},
        {"touching right edge", {0, 0, 100, 100}, {100, 0, 200, 100}, FALSE, {0, 0, 0, 0}},
        {"touching left edge", {100, 0, 200, 100}, {0, 0, 100, 100}, FALSE, {0, 0, 0, 0}},
        {"touching bottom edge", {0, 0, 100, 100}, {0, 100, 100, 200}, FALSE, {0, 0, 0, 0}},
        {"apart", {0, 0, 10, 10}, {-50, -50, -20, -20}, FALSE, {0, 0, 0, 0}},
        {"empty source", {10, 10, 10, 50}, {0, 0, 100, 100}, FALSE, {0, 0, 0, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        RECT result{-1, -1, -1, -1};
        EXPECT_EQ(IntersectRect(&result, &row.a, &row.b), row.intersects);
        EXPECT_TRUE(result == row.expected);
    }
}

TEST_F(WindowPropertiesTest, SetWindowLongAReturnsThePreviousValueKeepsTopmostAndIsJournaled)
{
    HWND window = TopLevel("Notepad");
    SimulatedDesktop::WindowSpec topmostSpec;
    topmostSpec.exStyle = WS_EX_TOPMOST;
    HWND topmost = SimulatedDesktop::CreateTopLevelWindow(topmostSpec);
    SetWindowLongA(topmost, GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(topmost), WS_EX_LAYERED | WS_EX_TOPMOST);
    SimulatedDesktop::ClearJournal();

    EXPECT_EQ(SetWindowLongA(window, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TRANSPARENT), 0);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(SetWindowLongA(window, GWL_EXSTYLE, 0), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre("SetWindowLongA 0x10010 GWL_EXSTYLE 0x00080020 -> 0x00000000",
                                                         "SetWindowLongA 0x10010 GWL_EXSTYLE 0x00000000 -> 0x00080020"));
}

// The system checks for a window before it writes a style, so only this case
// shows the journal's index in decimal and its error suffix.
TEST_F(WindowPropertiesTest, RefusedSetWindowLongAIsJournaledWithItsError)
{
    HWND window = TopLevel("Notepad");
    EXPECT_EQ(SetWindowLongA(reinterpret_cast<HWND>(0x4242), GWL_EXSTYLE, 7), 0);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_WINDOW_HANDLE});
    EXPECT_EQ(SetWindowLongA(window, 12345, 7), 0);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_INDEX});
    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre("SetWindowLongA 0x4242 GWL_EXSTYLE 0x00000007 -> 0x00000000 error=1400",
                                                         "SetWindowLongA 0x10010 12345 0x00000007 -> 0x00000000 error=1413"));
}

TEST_F(WindowPropertiesTest, TextComesAsUtf16UnitsAndInCodePage1252)
{
    SimulatedDesktop::WindowSpec windowSpec;
    windowSpec.className = "Notepad";
    windowSpec.title = "Überweisung – Notizen 😀";
    HWND window = SimulatedDesktop::CreateTopLevelWindow(windowSpec);

    wchar_t wide[64] = {};
    ASSERT_EQ(GetWindowTextW(window, wide, 64), 24);
    EXPECT_EQ(Units(wide, 24), u"Überweisung – Notizen 😀") << "one element per UTF-16 unit, the emoji as a pair";

    char narrow[64] = {};
    EXPECT_EQ(GetWindowTextA(window, narrow, 64), 23);
    EXPECT_STREQ(narrow, "\xDC" "berweisung ? Notizen ?");
}

}  // namespace
