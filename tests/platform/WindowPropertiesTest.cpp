#include <gmock/gmock.h>

#include <string>

#include "DesktopTest.h"

namespace {

using ::testing::ElementsAre;
using WindowPropertiesTest = DesktopTest;

const HWND kNoWindow = reinterpret_cast<HWND>(0x4242);

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

TEST_F(WindowPropertiesTest, SetWindowLongAReturnsThePreviousValueAndIsJournaled)
{
    HWND window = TopLevel("Notepad");
    EXPECT_EQ(SetWindowLongA(window, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TRANSPARENT), 0);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(SetWindowLongA(window, GWL_EXSTYLE, 0), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_THAT(SimulatedDesktop::Journal(), ElementsAre("SetWindowLongA 0x10010 GWL_EXSTYLE 0x00080020 -> 0x00000000",
                                                         "SetWindowLongA 0x10010 GWL_EXSTYLE 0x00000000 -> 0x00080020"));
}

TEST_F(WindowPropertiesTest, SetWindowLongAKeepsTheTopmostBit)
{
    SimulatedDesktop::WindowSpec windowSpec;
    windowSpec.exStyle = WS_EX_TOPMOST;
    HWND window = SimulatedDesktop::CreateTopLevelWindow(windowSpec);
    SetWindowLongA(window, GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_EQ(SimulatedDesktop::ExStyleOf(window), WS_EX_LAYERED | WS_EX_TOPMOST);
}

TEST_F(WindowPropertiesTest, WindowLongFunctionsRefuseUnknownWindowsAndIndexes)
{
    HWND window = TopLevel("Notepad");
    const struct {
        const char* label;
        HWND window;
        int index;
        DWORD error;
    } rows[] = {
        {"unknown window", kNoWindow, GWL_EXSTYLE, ERROR_INVALID_WINDOW_HANDLE},
        {"unknown index", window, 12345, ERROR_INVALID_INDEX},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SetLastError(0);
        EXPECT_EQ(GetWindowLongA(row.window, row.index), 0);
        EXPECT_EQ(GetLastError(), row.error);
        SetLastError(0);
        EXPECT_EQ(SetWindowLongA(row.window, row.index, 7), 0);
        EXPECT_EQ(GetLastError(), row.error);
    }
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

TEST_F(WindowPropertiesTest, TextIsCutToTheCapacityWithATerminatingNul)
{
    HWND window = TopLevel("Notepad");
    const struct {
        int capacity;
        int expectedLength;
        const char* expected;
    } rows[] = {{0, 0, "#"}, {1, 0, ""}, {5, 4, "Note"}, {8, 7, "Notepad"}, {100, 7, "Notepad"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.capacity);
        char narrow[100] = "#";
        wchar_t wide[100] = L"#";
        EXPECT_EQ(GetClassNameA(window, narrow, row.capacity), row.expectedLength);
        EXPECT_STREQ(narrow, row.expected);
        EXPECT_EQ(GetClassNameW(window, wide, row.capacity), row.expectedLength);
        EXPECT_EQ(std::wstring(wide, row.expectedLength), std::wstring(row.expected, row.expected + row.expectedLength));
        EXPECT_EQ(wide[row.expectedLength], row.capacity == 0 ? L'#' : L'\0');
    }
}

TEST_F(WindowPropertiesTest, GetWindowTextEmptiesTheBufferForAnUnknownWindow)
{
    char narrow[8] = "junk";
    EXPECT_EQ(GetWindowTextA(kNoWindow, narrow, 8), 0);
    EXPECT_STREQ(narrow, "");
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_WINDOW_HANDLE});
}

TEST_F(WindowPropertiesTest, GetWindowThreadProcessIdGivesBothIds)
{
    SimulatedDesktop::WindowSpec windowSpec;
    windowSpec.processId = 4321;
    windowSpec.threadId = 8765;
    HWND window = SimulatedDesktop::CreateTopLevelWindow(windowSpec);
    DWORD processId = 0;
    EXPECT_EQ(GetWindowThreadProcessId(window, &processId), 8765u);
    EXPECT_EQ(processId, 4321u);
    EXPECT_EQ(GetWindowThreadProcessId(kNoWindow, &processId), 0u);
}

TEST_F(WindowPropertiesTest, IsIconicFollowsTheMinimisedState)
{
    HWND window = TopLevel("Notepad");
    EXPECT_FALSE(IsIconic(window));
    SimulatedDesktop::SetMinimised(window, true);
    EXPECT_TRUE(IsIconic(window));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE, WS_MINIMIZE);
}

TEST_F(WindowPropertiesTest, ControlFunctionsThrowForUnknownWindows)
{
    EXPECT_THROW(SimulatedDesktop::SetVisible(kNoWindow, true), std::invalid_argument);
    EXPECT_THROW(SimulatedDesktop::CreateChildWindow(kNoWindow, {}), std::invalid_argument);
}

}  // namespace
