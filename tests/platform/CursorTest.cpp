#include <gtest/gtest.h>

#include <iterator>
#include <set>

#include "DesktopTest.h"

namespace {

using CursorTest = DesktopTest;

// The cursor monitor's type table is built from these handles once at load time.
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

TEST_F(CursorTest, GetCursorInfoFailsWithTheChosenErrorWhileSwitchedToFail)
{
    CURSORINFO info{};
    info.cbSize = sizeof(info);
    SimulatedDesktop::FailGetCursorInfo(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(GetCursorInfo(&info));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
    SimulatedDesktop::RestoreGetCursorInfo();
    EXPECT_TRUE(GetCursorInfo(&info));
}

}  // namespace
