#include <gmock/gmock.h>

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
// starts, so the scaled half runs in a child process of this program.
constexpr wchar_t kChildMarker[] = L"TESSARIL_E2E_SCALED_CHILD";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr DWORD kScaledDpi = 144;

bool InScaledChild() { return GetEnvironmentVariableW(kChildMarker, nullptr, 0) != 0; }

void SetDesktopDword(const wchar_t* name, DWORD value)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, name, REG_DWORD, &value, sizeof value);
}

// This program again, with only this test, in a prefix at 150 %; its output
// goes to `output`. The prefix gets its values back: the demo runs in it next.
DWORD RunScaledChild(const std::filesystem::path& output)
{
    SetDesktopDword(L"LogPixels", kScaledDpi);
    SetDesktopDword(L"DpiScalingVer", 0x1000);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = file;
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(program) + L"\" --gtest_color=no --gtest_filter=DpiAwarenessScaledTest.*";
    SetEnvironmentVariableW(kChildMarker, L"1");
    PROCESS_INFORMATION child{};
    DWORD exitCode = 1000;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
        WaitForSingleObject(child.hProcess, 180000);
        GetExitCodeProcess(child.hProcess, &exitCode);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    SetEnvironmentVariableW(kChildMarker, nullptr);
    CloseHandle(file);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"DpiScalingVer");
    return exitCode;
}

// The scaled half, in the child; the parent's run reports it skipped.
TEST(DpiAwareness, UnawareHostThreadInAPrefixAt150PercentPassesInAChildProcess)
{
    const std::filesystem::path output = std::filesystem::temp_directory_path() / "tessaril-e2e-dpi.txt";
    const DWORD exitCode = RunScaledChild(output);
    std::ifstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::cout << "  scaled child| " << line << "\n";
    }
    EXPECT_EQ(exitCode, 0u) << "the scaled child failed (its output is above)";
}

using DpiAwarenessScaledTest = PluginSessionTest;

// The host calls the exports from an unaware thread; the shared window is per-
// monitor aware (TestWindow). Wine refuses per-monitor v2, so the plugin takes
// per-monitor. The click reaches the window's client point within a pixel, the
// cursor samples are physical, and the thread's context is its own after every call.
TEST_F(DpiAwarenessScaledTest, ExportsCalledFromAnUnawareThreadClickAndReportInPhysicalPixels)
{
    if (!InScaledChild()) {
        GTEST_SKIP() << "runs in the child of DpiAwareness.UnawareHostThreadInAPrefixAt150PercentPassesInAChildProcess";
    }
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    const int physicalWidth = GetSystemMetrics(SM_CXSCREEN);
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    const DPI_AWARENESS_CONTEXT context = GetThreadDpiAwarenessContext();
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), MulDiv(physicalWidth, 96, kScaledDpi)) << "Wine virtualises nothing";

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
    EXPECT_EQ(last.samples.back().screenWidth, 400);
    EXPECT_EQ(last.samples.back().screenHeight, 300);
    EXPECT_EQ(session.StopHost(), TESSARIL_RESULT_DONE);
    EXPECT_EQ(GetThreadDpiAwarenessContext(), context);
    std::cout << "scaled child: SM_CXSCREEN " << physicalWidth << " physical, " << GetSystemMetrics(SM_CXSCREEN)
              << " unaware; click at client " << down.x << "," << down.y << "; last cursor batch " << last.Line()
              << "\n";
}

}  // namespace
