#pragma once

#include <string>

#include "BenchDesktop.h"
#include "PluginDriver.h"
#include "ViewerInput.h"

namespace TESSARIL_BENCH {

// What every benchmark of one run shares: the desktop, the plugin initialised
// once through its exports, and the viewers of the two modes. A benchmark asks
// for the mode it needs; remote control is restarted only when the mode changes.
class BenchEnvironment {
public:
    explicit BenchEnvironment(const std::string& logDirectory);

    BenchDesktop& Desktop();
    PluginDriver& Plugin();

    // Screen mode on the primary monitor, no ignore window, a viewer whose
    // viewport is the monitor's size.
    ViewerInput& StartScreenMode();
    // Window mode on the editor, both covering windows on the ignore list, a
    // viewer whose viewport is the editor's size.
    ViewerInput& StartWindowMode();
    void StopRemoteControl();

private:
    enum class Mode { Stopped, Screen, Window };

    BenchDesktop desktop;
    PluginDriver plugin;
    ViewerInput screenViewer;
    ViewerInput windowViewer;
    Mode mode = Mode::Stopped;
};

}  // namespace TESSARIL_BENCH
