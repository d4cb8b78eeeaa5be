#include "PluginSessionTest.h"

#include <string>

#include "PluginLibrary.h"

namespace {

using TESSARIL_HOST_APP::MouseEvent;

constexpr int32_t kLogFileBytes = 1 << 20;
constexpr int32_t kLeftButton = 1;
constexpr int32_t kPress = 1;  // event types
constexpr int32_t kRelease = 2;

// Loaded once per process: the plugin keeps process-wide state until unloaded.
const TESSARIL_HOST_APP::PluginExports& Plugin()
{
    static const TESSARIL_HOST_APP::PluginLibrary library;
    return library.Exports();
}

std::string LogStem()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(test->test_suite_name()) + "." + test->name();
}

}  // namespace

PluginSessionTest::PluginSessionTest() : session(Plugin())
{
}

void PluginSessionTest::SetUp()
{
    const std::string folder = LogFile().parent_path().string();
    const std::string stem = LogStem();
    ASSERT_TRUE(session.Init({.logDirectory = folder.c_str(), .logName = stem.c_str(), .logValue = kLogFileBytes}));
}

std::filesystem::path PluginSessionTest::LogFile()
{
    return std::filesystem::temp_directory_path() / "tessaril-e2e" / (LogStem() + ".log");
}

int64_t PluginSessionTest::Start(const void* target, bool screen)
{
    return session.Start(HandleBits(target), screen, "e2e-viewer");
}

void PluginSessionTest::Click(int64_t x, int64_t y, int64_t viewportWidth, int64_t viewportHeight)
{
    for (const bool pressed : {true, false}) {
        MouseEvent event(x, y, viewportWidth, viewportHeight);
        EXPECT_TRUE(session.Mouse(event.Seq(++mouseSeq).Button(kLeftButton, pressed, pressed ? kPress : kRelease)));
    }
}

void PluginSessionTest::Type(int64_t virtualKey, bool viewerCapsLock)
{
    for (const bool pressed : {true, false}) {
        EXPECT_TRUE(session.Key(TESSARIL_HOST_APP::KeyEvent(virtualKey, pressed, ++keySeq, viewerCapsLock)));
    }
}

uint32_t HandleBits(const void* handle)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}
