#include <process.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "JournalQueries.h"
#include "PluginSessionTest.h"
#include "TestWindow.h"

namespace {

using TESSARIL_HOST_APP::OutgoingMessage;

// Wine reads the system DPI and whether it virtualises (a non-zero
// DpiScalingVer; without it every process is per-monitor aware) when a process
// starts, so the scaled half runs in a child process of this program, which
// writes its results to the file this variable names.
constexpr wchar_t kChildMarker[] = L"TESSARIL_E2E_SCALED_CHILD";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

void SetDesktopDword(const wchar_t* name, DWORD value)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, name, REG_DWORD, &value, sizeof value);
}

// The child's output is shown indented, so that its result lines are not counted
// as this program's. The prefix gets its values back: the demo runs in it next.
TEST(DpiAwareness, UnawareHostThreadInAPrefixAt150PercentPassesInAChildProcess)
{
    const std::filesystem::path output = std::filesystem::temp_directory_path() / "tessaril-e2e-dpi.txt";
    SetDesktopDword(L"LogPixels", 144);  // 150 %
    SetDesktopDword(L"DpiScalingVer", 0x1000);
    _wputenv((std::wstring(kChildMarker) + L"=" + output.wstring()).c_str());
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const intptr_t exitCode = _wspawnl(_P_WAIT, program, L"wine_e2e_tests", L"--gtest_color=no",
                                       L"--gtest_filter=DpiAwarenessScaledTest.*", nullptr);
    _wputenv((std::wstring(kChildMarker) + L"=").c_str());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"DpiScalingVer");
    std::ifstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::cout << "  scaled child| " << line << "\n";
    }
    EXPECT_EQ(exitCode, 0) << "the scaled child failed (its output is above)";
}

using DpiAwarenessScaledTest = PluginSessionTest;

// The host calls the exports from an unaware thread; the shared window is per-
// monitor aware (TestWindow). Wine refuses per-monitor v2, so the plugin takes
// per-monitor. The click reaches the window's client point within a pixel, the
// cursor samples are physical, and the thread's context is its own after every call.
TEST_F(DpiAwarenessScaledTest, ExportsCalledFromAnUnawareThreadClickAndReportInPhysicalPixels)
{
    const wchar_t* output = _wgetenv(kChildMarker);
    if (output == nullptr) {
        GTEST_SKIP() << "runs in the child of DpiAwareness.UnawareHostThreadInAPrefixAt150PercentPassesInAChildProcess";
    }
    _wfreopen(output, L"w", stdout);
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    const int physicalWidth = GetSystemMetrics(SM_CXSCREEN);
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    const DPI_AWARENESS_CONTEXT context = GetThreadDpiAwarenessContext();
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), MulDiv(physicalWidth, 96, 144)) << "Wine virtualises nothing";

    constexpr RECT r{200, 150, 600, 450};
    TestWindow shared(L"TessarilE2eDpi", L"Per-monitor aware", r);
    ASSERT_EQ(Start(shared.Handle()), TESSARIL_RESULT_DONE);
    EXPECT_EQ(GetThreadDpiAwarenessContext(), context);
    Click(200, 160, 800, 600);  // twice the window's size: client 100,80
    EXPECT_EQ(GetThreadDpiAwarenessContext(), context);

    ASSERT_TRUE(Eventually([&] { return !shared.ButtonDowns().empty(); })) << "the click missed the window";
    const POINT down = shared.ButtonDowns().front();
    EXPECT_TRUE(std::abs(down.x - 100) <= 1 && std::abs(down.y - 80) <= 1) << down.x << "," << down.y;
    OutgoingMessage last;
    EXPECT_TRUE(Eventually([&] {
        const std::vector<OutgoingMessage> sent = session.recorder.Messages();
        last = sent.empty() ? OutgoingMessage{} : sent.back();
        return last.kind == OutgoingMessage::Kind::CursorBatch && std::abs(last.samples.back().x - 100) <= 1 &&
               std::abs(last.samples.back().y - 80) <= 1;
    })) << last.Line();
    EXPECT_EQ(std::pair(last.samples.back().screenWidth, last.samples.back().screenHeight), std::pair(400LL, 300LL));
    EXPECT_EQ(session.StopHost(), TESSARIL_RESULT_DONE);
    EXPECT_EQ(GetThreadDpiAwarenessContext(), context);
}

}  // namespace
