#include <gmock/gmock.h>

#include <cstring>
#include <memory>

#include "JournalQueries.h"
#include "PluginSessionTest.h"
#include "TestWindow.h"

namespace {

using ::testing::IsEmpty;

constexpr RECT kTargetRect{50, 50, 650, 450};
constexpr RECT kByBytesRect{80, 80, 200, 200};
constexpr RECT kByTitleRect{250, 80, 370, 200};
constexpr RECT kByNumberRect{420, 80, 540, 200};
constexpr RECT kPromptRect{80, 250, 200, 370};
constexpr wchar_t kTitleOfIgnored[] = L"Ignored by title";
constexpr char kTitleOfIgnoredUtf8[] = "Ignored by title";
// The host application's own prompts keep catching the mouse, even when listed.
constexpr wchar_t kPromptClass[] = L"HoyaSSPromptWindow";

POINT Centre(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TessarilIgnoreWindowRequest ByBytes(const uint32_t& handle)
{
    TessarilIgnoreWindowRequest request{};
    request.ignoreType = 1;
    request.windowBytes = reinterpret_cast<const uint8_t*>(&handle);
    request.windowByteCount = sizeof(handle);
    return request;
}

TessarilIgnoreWindowRequest ByProcessAndTitle(const char* const* titles, uint32_t count)
{
    TessarilIgnoreWindowRequest request{};
    request.ignoreType = 2;
    request.processId = GetCurrentProcessId();
    request.titles = titles;
    request.titleCount = count;
    return request;
}

TessarilIgnoreWindowRequest ByNumber(HWND window)
{
    TessarilIgnoreWindowRequest request{};
    request.ignoreType = 3;
    request.windowHandle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
    return request;
}

uint32_t HandleBits(HWND window)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

RECT PrimaryMonitorRect()
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(PrimaryMonitor(), &info);
    return info.rcMonitor;
}

// A target window with four windows over it: one listed by each request type
// and a listed window of the prompt class.
class ScreenModeTest : public PluginSessionTest {
protected:
    void SetUp() override
    {
        PluginSessionTest::SetUp();
        target = Window(L"TessarilE2eTarget", L"Target", kTargetRect);
        byBytes = Window(L"TessarilE2eIgnored", L"Ignored by bytes", kByBytesRect);
        byTitle = Window(L"TessarilE2eIgnored", kTitleOfIgnored, kByTitleRect);
        byNumber = Window(L"TessarilE2eIgnored", L"Ignored by number", kByNumberRect);
        prompt = Window(kPromptClass, L"Prompt", kPromptRect);
        ASSERT_EQ(StartScreen(PrimaryMonitor()), TESSARIL_RESULT_DONE);

        const uint32_t bytes = HandleBits(byBytes->Handle());
        const char* const titles[] = {"Some other title", kTitleOfIgnoredUtf8};
        EXPECT_EQ(AddIgnoreWindow(ByBytes(bytes)), TESSARIL_RESULT_DONE);
        EXPECT_EQ(AddIgnoreWindow(ByProcessAndTitle(titles, 2)), TESSARIL_RESULT_DONE);
        EXPECT_EQ(AddIgnoreWindow(ByNumber(byNumber->Handle())), TESSARIL_RESULT_DONE);
        EXPECT_EQ(AddIgnoreWindow(ByNumber(prompt->Handle())), TESSARIL_RESULT_DONE);
    }

    // The viewport has the monitor's size, so viewport and screen positions agree.
    void ClickOnScreen(POINT point)
    {
        const RECT monitor = PrimaryMonitorRect();
        Click(point.x - monitor.left, point.y - monitor.top, monitor.right - monitor.left,
              monitor.bottom - monitor.top);
    }

    std::unique_ptr<TestWindow> Window(const wchar_t* className, const wchar_t* title, RECT rect)
    {
        return std::make_unique<TestWindow>(ui, WindowLayout{className, title, rect, WS_EX_TOOLWINDOW, false});
    }

    std::unique_ptr<TestWindow> target;
    std::unique_ptr<TestWindow> byBytes;
    std::unique_ptr<TestWindow> byTitle;
    std::unique_ptr<TestWindow> byNumber;
    std::unique_ptr<TestWindow> prompt;
};

TEST_F(ScreenModeTest, ClickOnIgnoredWindowOfEachRequestTypeReachesWindowBelow)
{
    const struct {
        const char* label;
        TestWindow& ignored;
        RECT rect;
    } cases[] = {
        {"type 1, handle as bytes", *byBytes, kByBytesRect},
        {"type 2, process and title", *byTitle, kByTitleRect},
        {"type 3, handle as number", *byNumber, kByNumberRect},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const LONG exStyle = c.ignored.ExStyle();
        const size_t clicksBefore = target->ButtonDowns().size();
        ClickOnScreen(Centre(c.rect));

        const bool arrived = Eventually([&] {
            return target->ButtonDowns().size() > clicksBefore || !c.ignored.ButtonDowns().empty();
        });
        EXPECT_THAT(c.ignored.ButtonDowns(), IsEmpty());
        ASSERT_GT(target->ButtonDowns().size(), clicksBefore) << (arrived ? "" : "the click reached neither window");
        const POINT reached = target->ButtonDowns().back();
        EXPECT_NEAR(reached.x, Centre(c.rect).x - kTargetRect.left, 1);
        EXPECT_NEAR(reached.y, Centre(c.rect).y - kTargetRect.top, 1);
        EXPECT_EQ(c.ignored.ExStyle(), exStyle);
    }
}

TEST_F(ScreenModeTest, PromptClassWindowIsNeverTouched)
{
    const LONG exStyle = prompt->ExStyle();
    ClickOnScreen(Centre(kByNumberRect));
    ClickOnScreen(Centre(kPromptRect));

    ASSERT_TRUE(Eventually([&] { return !prompt->ButtonDowns().empty(); })) << "the prompt let the click through";
    EXPECT_EQ(target->ButtonDowns().size(), 1U);
    EXPECT_EQ(prompt->ExStyleChanges(), 0);
    EXPECT_EQ(prompt->ExStyle(), exStyle);
}

}  // namespace
