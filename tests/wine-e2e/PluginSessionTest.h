#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "HostSession.h"

// One plugin cycle per test, played by the host harness against the DLL
// loaded from the program's folder: ExportedInit with a log file named after
// the test, commands and viewer messages on the test's thread, and at the end
// the stop command, ExportedStop and ExportedUninit.
class PluginSessionTest : public ::testing::Test {
protected:
    PluginSessionTest();
    void SetUp() override;

    // This test's log file: LogFolder() / (LogStem() + ".log").
    static std::filesystem::path LogFolder();
    static std::string LogStem();

    // Command results (0 done, 5 already started, 6 not started).
    int64_t StartWindow(HWND window);
    int64_t StartScreen(HMONITOR monitor);

    // A left click (press and release) in viewport coordinates.
    void Click(int64_t x, int64_t y, int64_t viewportWidth, int64_t viewportHeight);
    // A key pressed and released at the viewer.
    void Type(int64_t virtualKey, bool viewerCapsLock);

    // Ends the cycle now instead of when the fixture goes, so that the test sees the whole log.
    void FinishCycle();

    TESSARIL_HOST_APP::HostSession session;
    TESSARIL_HOST_APP::EventLoop& loop = session.loop;
    TESSARIL_HOST_APP::MessageRecorder& recorder = session.recorder;

private:
    int64_t mouseSeq = 0;
    int64_t keySeq = 0;
};

// Handles travel as their low 32 bits, also from a 64-bit host.
uint32_t HandleBits(const void* handle);
HMONITOR PrimaryMonitor();
