#include "BenchEnvironment.h"

namespace TESSARIL_BENCH {

namespace {

constexpr int64_t kMonitorWidth = 1920;
constexpr int64_t kMonitorHeight = 1080;

uint64_t IdOf(HWND window)
{
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(window));
}

}  // namespace

BenchEnvironment::BenchEnvironment(const std::string& logDirectory)
    : plugin(logDirectory),
      screenViewer(kMonitorWidth, kMonitorHeight),
      windowViewer(BenchDesktop::kEditorRect.right - BenchDesktop::kEditorRect.left,
                   BenchDesktop::kEditorRect.bottom - BenchDesktop::kEditorRect.top)
{
}

BenchDesktop& BenchEnvironment::Desktop()
{
    return desktop;
}

PluginDriver& BenchEnvironment::Plugin()
{
    return plugin;
}

ViewerInput& BenchEnvironment::StartScreenMode()
{
    if (mode != Mode::Screen) {
        plugin.StartScreen(desktop.Monitor());
        mode = Mode::Screen;
    }
    return screenViewer;
}

ViewerInput& BenchEnvironment::StartWindowMode()
{
    if (mode != Mode::Window) {
        plugin.StartWindow(desktop.Editor());
        for (HWND window : desktop.CoveringWindows()) {
            plugin.AddIgnoreWindow(IdOf(window));
        }
        mode = Mode::Window;
    }
    return windowViewer;
}

void BenchEnvironment::StopRemoteControl()
{
    if (mode != Mode::Stopped) {
        plugin.Stop();
        mode = Mode::Stopped;
    }
}

}  // namespace TESSARIL_BENCH
