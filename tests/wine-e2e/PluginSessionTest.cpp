#include "PluginSessionTest.h"

#include <string>

#include "PluginLibrary.h"

namespace {

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
    ASSERT_TRUE(session.Init({.logDirectory = folder.c_str(), .logName = stem.c_str(), .logValue = 1 << 20}));
}

std::filesystem::path PluginSessionTest::LogFile()
{
    return std::filesystem::temp_directory_path() / "tessaril-e2e" / (LogStem() + ".log");
}

int64_t PluginSessionTest::Start(const void* target, bool screen)
{
    return session.Start(HandleBits(target), screen, "e2e-viewer");
}

// Left button (1), event type 1 for the press and 2 for the release.
void PluginSessionTest::Click(int64_t x, int64_t y, int64_t viewportWidth, int64_t viewportHeight)
{
    for (const bool pressed : {true, false}) {
        TESSARIL_HOST_APP::MouseEvent event(x, y, viewportWidth, viewportHeight);
        EXPECT_TRUE(session.Mouse(event.Seq(++mouseSeq).Button(1, pressed, pressed ? 1 : 2)));
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
