#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>

#include "HostSession.h"

// One plugin cycle per test, played by the host harness against the DLL
// loaded from the program's folder: ExportedInit with a log file named after
// the test, commands and viewer messages on the test's thread, and at the end
// (session.Finish() or the fixture's end) the stop, ExportedStop and ExportedUninit.
class PluginSessionTest : public ::testing::Test {
protected:
    PluginSessionTest();
    void SetUp() override;

    // This test's log file.
    static std::filesystem::path LogFile();
    // The start command's result for a window, or a monitor in screen mode.
    int64_t Start(const void* target, bool screen = false);
    // A left click (press and release) in viewport coordinates.
    void Click(int64_t x, int64_t y, int64_t viewportWidth, int64_t viewportHeight);
    // A key pressed and released at the viewer.
    void Type(int64_t virtualKey, bool viewerCapsLock);

    TESSARIL_HOST_APP::HostSession session;

private:
    int64_t mouseSeq = 0;
    int64_t keySeq = 0;
};

// Handles travel as their low 32 bits, also from a 64-bit host.
uint32_t HandleBits(const void* handle);
