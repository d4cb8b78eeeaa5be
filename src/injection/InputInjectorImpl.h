#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "injection/IInputInjector.h"
#include "windowing/WindowUtilities.h"
#include "platform_win32.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// The ignore windows: the windows made transparent to the mouse while one mouse
// event is injected, so that the clicks reach what the viewer sees. In window
// mode they are the visible windows that cover the shared window; in screen
// mode they are the host application's list. Prompt windows of the host
// application ("HoyaSSPromptWindow") are never touched.
//
// Threads: every operation of the injector runs with operationMutex held for
// its whole body, so the command thread's list and target changes never meet a
// mouse injection half-way. BeginIgnoreWindows and EndIgnoreWindows take no
// lock: they run inside InjectMouseEvent, which already holds it.
class InputInjectorImpl : public IInputInjector {
public:
    // Ignore types of HostIgnoredWindow.
    static constexpr int64_t kIgnoreByBytes = 1;
    static constexpr int64_t kIgnoreByTitle = 2;
    static constexpr int64_t kIgnoreByHandle = 3;

    struct IgnoreEntry {
        int64_t ignoreType = 0;
        WindowHandle window = 0;

        bool operator==(const IgnoreEntry&) const = default;
    };

    void UpdateIgnoreWindow(const HostIgnoredWindow& request, bool add) override;
    void ClearIgnoreWindow() override;

protected:
    InputInjectorImpl() = default;

    // Caller holds operationMutex. Every Begin is followed by one End.
    void BeginIgnoreWindows();
    void EndIgnoreWindows();

    uint64_t windowId = TESSARIL_NO_TARGET;
    bool isScreen = false;
    std::vector<IgnoreEntry> hostIgnoreList;
    WindowHandleList coveringWindows;
    // A flat list whose capacity outlives each event: a mouse event allocates
    // nothing once the list has grown to the number of ignore windows.
    std::vector<std::pair<WindowHandle, LONG>> savedExStyles;
    std::mutex operationMutex;

private:
    void AddEntries(const std::vector<IgnoreEntry>& entries);
    void RemoveEntries(const std::vector<IgnoreEntry>& entries);

    void ApplyIgnorePass(bool set);
    void MakeTransparent(WindowHandle window);
    void RestoreStyle(WindowHandle window, std::string& error);
    size_t PassLength() const;
    WindowHandle PassWindowAt(size_t index) const;
    bool StandsEarlierInPass(size_t index) const;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
