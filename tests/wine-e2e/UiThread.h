#pragma once

#include <windows.h>

#include <functional>
#include <thread>

// A thread with a message loop that owns the test's windows, as a host
// application's UI thread does. The plugin changes their styles from another
// thread, which Windows turns into messages sent to this one, so it must keep
// pumping while the test waits for the plugin.
class UiThread {
public:
    UiThread();
    ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    // Runs the task on the UI thread and returns when it has run.
    void Run(const std::function<void()>& task);

private:
    void Loop();

    std::thread thread;
    DWORD threadId = 0;
};
