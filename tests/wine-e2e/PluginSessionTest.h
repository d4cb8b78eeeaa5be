#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "HostMessageRecorder.h"
#include "PluginExports.h"
#include "TestEventLoop.h"
#include "UiThread.h"

// One plugin cycle per test, driven the way a host application drives it:
// ExportedInit with the recorder's two entry points and an event loop of its
// own thread, commands and viewer messages on the test's thread, and at the
// end the stop command before ExportedUninit.
class PluginSessionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The log file of this test's cycle.
    static std::wstring LogFolder();
    static std::string LogStem();

    // Command results (0 done, 5 already started, 6 not started).
    int64_t StartWindow(HWND window);
    int64_t StartScreen(HMONITOR monitor);
    int64_t StopHost();
    int64_t AddIgnoreWindow(TessarilIgnoreWindowRequest request);

    // A left click (press and release) and a move, in viewport coordinates.
    void Click(int64_t x, int64_t y, int64_t viewportWidth, int64_t viewportHeight);
    void Move(int64_t x, int64_t y, int64_t viewportWidth, int64_t viewportHeight);
    // A key pressed and released at the viewer.
    void Type(int64_t virtualKey, bool viewerCapsLock);

    // Stops remote control and runs ExportedStop and ExportedUninit now
    // instead of after the test, so that the test sees the whole log.
    void FinishCycle();

    // Loaded once per process: the plugin keeps process-wide state until unloaded.
    static const TESSARIL_HOST_APP::PluginExports& Plugin();

    const TESSARIL_HOST_APP::PluginExports& plugin = Plugin();
    TestEventLoop loop;
    HostMessageRecorder recorder;
    UiThread ui;

private:
    int64_t Start(uintptr_t handle, bool isScreen);
    int64_t Command(uint64_t id, void* payload, int64_t* result);
    void SendMouse(int64_t x, int64_t y, int32_t eventType, int64_t viewportWidth, int64_t viewportHeight);

    bool started = false;
    // Between a successful ExportedInit and FinishCycle.
    bool cycleOpen = false;
    int64_t mouseSeq = 0;
    int64_t keySeq = 0;
};

// The primary monitor, as a host application names it in screen mode.
HMONITOR PrimaryMonitor();
