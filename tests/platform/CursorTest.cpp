#include <gmock/gmock.h>

#include <iterator>
#include <set>

#include "DesktopTest.h"

namespace {

using CursorTest = DesktopTest;
using MonitorTest = DesktopTest;

CURSORINFO ReadCursor(BOOL expected = TRUE)
{
    CURSORINFO info{};
    info.cbSize = sizeof(info);
    EXPECT_EQ(GetCursorInfo(&info), expected);
    return info;
}

TEST_F(CursorTest, LoadCursorAGivesEachStandardCursorItsOwnStableHandle)
{
    const LPCSTR ids[] = {IDC_ARROW, IDC_IBEAM, IDC_WAIT,     IDC_HAND,     IDC_NO,      IDC_HELP,
                          IDC_CROSS, IDC_SIZEWE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZENWSE};
    std::set<HCURSOR> handles;
    for (LPCSTR id : ids) {
        SCOPED_TRACE(reinterpret_cast<ULONG_PTR>(id));
        HCURSOR cursor = LoadCursorA(nullptr, id);
        ASSERT_NE(cursor, nullptr);
        SimulatedDesktop::Reset();
        EXPECT_EQ(LoadCursorA(nullptr, id), cursor) << "the same after a reset";
        handles.insert(cursor);
    }
    EXPECT_EQ(handles.size(), std::size(ids));
}

TEST_F(CursorTest, LoadCursorAFindsNothingButTheSystemCursors)
{
    const struct {
        const char* label;
        HINSTANCE module;
        LPCSTR name;
    } rows[] = {
        {"unknown id", nullptr, MAKEINTRESOURCEA(1)},
        {"name", nullptr, "MyCursor"},
        {"a module", reinterpret_cast<HINSTANCE>(0x400000), IDC_ARROW},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SetLastError(0);
        EXPECT_EQ(LoadCursorA(row.module, row.name), nullptr);
        EXPECT_EQ(GetLastError(), DWORD{ERROR_RESOURCE_NAME_NOT_FOUND});
    }
}

TEST_F(CursorTest, GetCursorInfoReportsPositionHandleAndFlags)
{
    CURSORINFO info = ReadCursor();
    EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(info.flags, DWORD{CURSOR_SHOWING});
    EXPECT_EQ(info.ptScreenPos.x, 0);

    HCURSOR custom = SimulatedDesktop::CreateCustomCursor();
    SimulatedDesktop::SetCursorHandle(custom);
    SimulatedDesktop::SetCursorFlags(CURSOR_SUPPRESSED);
    SimulatedDesktop::SetCursorPosition({300, 200});
    info = ReadCursor();
    EXPECT_EQ(info.hCursor, custom);
    EXPECT_EQ(info.flags, DWORD{CURSOR_SUPPRESSED});
    EXPECT_EQ(info.ptScreenPos.x, 300);
    EXPECT_EQ(info.ptScreenPos.y, 200);
    EXPECT_NE(SimulatedDesktop::CreateCustomCursor(), custom);
}

TEST_F(CursorTest, GetCursorInfoFailsWithTheChosenErrorWhileSwitchedToFail)
{
    SimulatedDesktop::FailGetCursorInfo(ERROR_ACCESS_DENIED);
    ReadCursor(FALSE);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
    SimulatedDesktop::RestoreGetCursorInfo();
    ReadCursor(TRUE);
}

TEST_F(CursorTest, GetCursorInfoWantsItsOwnSize)
{
    CURSORINFO info{};
    info.cbSize = sizeof(info) - 4;
    EXPECT_FALSE(GetCursorInfo(&info));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
}

TEST_F(MonitorTest, GetMonitorInfoADescribesEachMonitor)
{
    HMONITOR left = SimulatedDesktop::AddMonitor({-1280, 0, 0, 1024}, false);
    SimulatedDesktop::SetWorkArea(left, {-1280, 0, 0, 984});
    const struct {
        const char* label;
        HMONITOR monitor;
        LONG monitorLeft, workBottom;
        DWORD flags;
    } rows[] = {
        {"primary", SimulatedDesktop::PrimaryMonitor(), 0, 1080, MONITORINFOF_PRIMARY},
        {"left", left, -1280, 984, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetMonitorInfoA(row.monitor, &info));
        EXPECT_EQ(info.rcMonitor.left, row.monitorLeft);
        EXPECT_EQ(info.rcWork.bottom, row.workBottom);
        EXPECT_EQ(info.dwFlags, row.flags);
    }
}

TEST_F(MonitorTest, GetMonitorInfoARefusesUnknownMonitorsAndWrongSizes)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    EXPECT_FALSE(GetMonitorInfoA(reinterpret_cast<HMONITOR>(0x4242), &info));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_MONITOR_HANDLE});
    EXPECT_EQ(info.rcMonitor.right, 0);

    info.cbSize = 72;
    SetLastError(1234);
    EXPECT_FALSE(GetMonitorInfoA(SimulatedDesktop::PrimaryMonitor(), &info));
    EXPECT_EQ(GetLastError(), 1234u) << "a wrong size sets no error";
}

TEST_F(MonitorTest, SystemMetricsFollowThePrimaryAndAllMonitors)
{
    SimulatedDesktop::AddMonitor({-1280, -200, 0, 824}, false);
    SimulatedDesktop::SetPrimaryScreenSize(2560, 1440);
    SimulatedDesktop::SetSwapButtons(true);
    const struct {
        int index;
        int expected;
    } rows[] = {{SM_CXSCREEN, 2560},        {SM_CYSCREEN, 1440},        {SM_SWAPBUTTON, TRUE},
                {SM_XVIRTUALSCREEN, -1280}, {SM_YVIRTUALSCREEN, -200},  {SM_CXVIRTUALSCREEN, 3840},
                {SM_CYVIRTUALSCREEN, 1640}, {SM_CMONITORS, 2},          {9999, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        EXPECT_EQ(GetSystemMetrics(row.index), row.expected);
    }
}

TEST_F(MonitorTest, ANewPrimaryMonitorTakesOverTheScreenSize)
{
    HMONITOR old = SimulatedDesktop::PrimaryMonitor();
    SimulatedDesktop::AddMonitor({1920, 0, 3200, 1024}, true);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetMonitorInfoA(old, &info));
    EXPECT_EQ(info.dwFlags, 0u);
}

}  // namespace
