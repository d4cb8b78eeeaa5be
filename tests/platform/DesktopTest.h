#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform_win32.h"
#include "simulated_desktop.h"

// Every test starts from a freshly reset desktop.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override { SimulatedDesktop::Reset(); }

    static HWND TopLevel(const std::string& className, RECT rect = {0, 0, 800, 600})
    {
        SimulatedDesktop::WindowSpec windowSpec;
        windowSpec.className = className;
        windowSpec.rect = rect;
        return SimulatedDesktop::CreateTopLevelWindow(windowSpec);
    }

    static HWND Child(HWND parent, const std::string& className, RECT rect = {0, 0, 100, 100})
    {
        SimulatedDesktop::WindowSpec windowSpec;
        windowSpec.className = className;
        windowSpec.rect = rect;
        return SimulatedDesktop::CreateChildWindow(parent, windowSpec);
    }
};
