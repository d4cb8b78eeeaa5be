#include "PluginSessionTest.h"

#include "PluginLibrary.h"
#include "ViewerInput.h"

namespace {

constexpr uint32_t kPluginHandle = 7;
constexpr int32_t kLogFileBytes = 1 << 20;
constexpr int32_t kMove = 0;
constexpr int32_t kPress = 1;
constexpr int32_t kRelease = 2;

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

}  // namespace

const TESSARIL_HOST_APP::PluginExports& PluginSessionTest::Plugin()
{
    static const TESSARIL_HOST_APP::PluginLibrary library(TESSARIL_HOST_APP::PluginLibrary::DefaultPath());
    return library.Exports();
}

void PluginSessionTest::SetUp()
{
    const TessarilEventLoopTable table = loop.Table();
    ASSERT_TRUE(plugin.init(&HostMessageRecorder::Send, &HostMessageRecorder::Notify, kPluginHandle, &table,
                            Narrow(LogFolder()).c_str(), LogStem().c_str(), kLogFileBytes));
    cycleOpen = true;
    ASSERT_TRUE(plugin.start());
}

void PluginSessionTest::TearDown()
{
    if (cycleOpen) {
        FinishCycle();
    }
}

// Remote control must be stopped before ExportedUninit: the stop joins the
// cursor thread, which would otherwise go on using what Uninit destroys.
void PluginSessionTest::FinishCycle()
{
    cycleOpen = false;
    if (started) {
        EXPECT_EQ(StopHost(), TESSARIL_RESULT_DONE);
    }
    // Cursor reports posted before the stop run now, not during ExportedUninit.
    loop.WaitUntilIdle();
    EXPECT_TRUE(plugin.stop());
    EXPECT_TRUE(plugin.uninit());
}

std::wstring PluginSessionTest::LogFolder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"tessaril-e2e";
}

std::string PluginSessionTest::LogStem()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(test->test_suite_name()) + "." + test->name();
}

int64_t PluginSessionTest::StartWindow(HWND window)
{
    return Start(reinterpret_cast<uintptr_t>(window), false);
}

int64_t PluginSessionTest::StartScreen(HMONITOR monitor)
{
    return Start(reinterpret_cast<uintptr_t>(monitor), true);
}

// Handles travel as their low 32 bits, also from a 64-bit host.
int64_t PluginSessionTest::Start(uintptr_t handle, bool isScreen)
{
    TessarilStartHostCommand command{};
    command.text = "e2e-viewer";
    command.screenId = static_cast<uint32_t>(handle);
    command.isScreen = isScreen;
    return Command(TESSARIL_CMD_START_HOST, &command, &command.result);
}

int64_t PluginSessionTest::StopHost()
{
    TessarilResultOnlyCommand command{};
    const int64_t result = Command(TESSARIL_CMD_STOP_HOST, &command, &command.result);
    started = false;
    return result;
}

int64_t PluginSessionTest::AddIgnoreWindow(TessarilIgnoreWindowRequest request)
{
    return Command(TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, &request, &request.result);
}

// The result is read before ExportedCallDrop releases what the call kept.
int64_t PluginSessionTest::Command(uint64_t id, void* payload, int64_t* result)
{
    EXPECT_TRUE(plugin.callEvent(id, payload));
    const int64_t value = *result;
    EXPECT_TRUE(plugin.callDrop(id));
    if (id == TESSARIL_CMD_START_HOST && value == TESSARIL_RESULT_DONE) {
        started = true;
    }
    return value;
}

void PluginSessionTest::Click(int64_t x, int64_t y, int64_t viewportWidth, int64_t viewportHeight)
{
    SendMouse(x, y, kPress, viewportWidth, viewportHeight);
    SendMouse(x, y, kRelease, viewportWidth, viewportHeight);
}

void PluginSessionTest::Move(int64_t x, int64_t y, int64_t viewportWidth, int64_t viewportHeight)
{
    SendMouse(x, y, kMove, viewportWidth, viewportHeight);
}

void PluginSessionTest::SendMouse(int64_t x, int64_t y, int32_t eventType, int64_t viewportWidth,
                                  int64_t viewportHeight)
{
    const TessarilMouseEventFFI event = ViewerInput::Mouse(x, y, eventType, viewportWidth, viewportHeight, ++mouseSeq);
    EXPECT_TRUE(plugin.onReceive(TESSARIL_MSG_MOUSE_EVENT, &event));
}

void PluginSessionTest::Type(int64_t virtualKey, bool viewerCapsLock)
{
    for (const bool pressed : {true, false}) {
        const TessarilKeyEvent event = ViewerInput::Key(virtualKey, pressed, viewerCapsLock, ++keySeq);
        EXPECT_TRUE(plugin.onReceive(TESSARIL_MSG_KEY_EVENT, &event));
    }
}

HMONITOR PrimaryMonitor()
{
    return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}
