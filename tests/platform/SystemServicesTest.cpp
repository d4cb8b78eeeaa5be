#include <gmock/gmock.h>

#include "DesktopTest.h"

namespace {

using ::testing::ElementsAre;
using VersionTest = DesktopTest;
using ExecutionStateTest = DesktopTest;
using VirtualDesktopTest = DesktopTest;

// The check for Windows 8 or later: 6.2 SP0 with VER_GREATER_EQUAL on each field.
BOOL IsWindows8OrLater()
{
    OSVERSIONINFOEXW wanted{};
    wanted.dwOSVersionInfoSize = sizeof(wanted);
    wanted.dwMajorVersion = 6;
    wanted.dwMinorVersion = 2;
    DWORDLONG conditions = VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_MINORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, conditions);
}

TEST(VerSetConditionMaskTest, PutsEachConditionInTheSlotOfItsType)
{
    EXPECT_EQ(VerSetConditionMask(0, VER_MINORVERSION, VER_GREATER_EQUAL), 0x3u);
    EXPECT_EQ(VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL), 0x18u);
    EXPECT_EQ(VerSetConditionMask(0, VER_SERVICEPACKMAJOR, VER_LESS), 0x20000u);
    EXPECT_EQ(VerSetConditionMask(0, VER_PRODUCT_TYPE, VER_EQUAL), 0x200000u);
    EXPECT_EQ(VerSetConditionMask(0x3, VER_MAJORVERSION | VER_MINORVERSION, VER_EQUAL), 0xBu) << "major wins";
}

TEST_F(VersionTest, Windows8CheckPassesFrom62On)
{
    const struct {
        DWORD major, minor;
        WORD servicePack;
        BOOL expected;
    } rows[] = {{6, 1, 1, FALSE}, {6, 2, 0, TRUE}, {6, 3, 0, TRUE}, {10, 0, 0, TRUE}, {5, 9, 9, FALSE}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.major << "." << row.minor << " SP" << row.servicePack);
        SimulatedDesktop::SetOsVersion(row.major, row.minor, row.servicePack);
        SetLastError(0);
        EXPECT_EQ(IsWindows8OrLater(), row.expected);
        EXPECT_EQ(GetLastError(), row.expected ? 0u : DWORD{ERROR_OLD_WIN_VERSION});
    }
}

TEST_F(VersionTest, VerifyVersionInfoWComparesWithEachCondition)
{
    OSVERSIONINFOEXW wanted{};
    wanted.dwMajorVersion = 10;
    wanted.dwBuildNumber = 19045;
    const struct {
        const char* label;
        DWORD type;
        BYTE condition;
        BOOL expected;
    } rows[] = {
        {"major equal", VER_MAJORVERSION, VER_EQUAL, TRUE},  {"major greater", VER_MAJORVERSION, VER_GREATER, FALSE},
        {"major less", VER_MAJORVERSION, VER_LESS, FALSE},   {"major less-equal", VER_MAJORVERSION, VER_LESS_EQUAL, TRUE},
        {"build equal", VER_BUILDNUMBER, VER_EQUAL, TRUE},   {"build greater", VER_BUILDNUMBER, VER_GREATER, FALSE},
        {"platform equal", VER_PLATFORMID, VER_EQUAL, FALSE},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(VerifyVersionInfoW(&wanted, row.type, VerSetConditionMask(0, row.type, row.condition)), row.expected);
    }
    EXPECT_FALSE(VerifyVersionInfoW(&wanted, VER_MAJORVERSION, 0));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_BAD_ARGUMENTS});
}

TEST_F(ExecutionStateTest, ReturnsThePreviousContinuousStateAndIsJournaled)
{
    EXPECT_EQ(SetThreadExecutionState(ES_SYSTEM_REQUIRED), ES_CONTINUOUS);
    EXPECT_EQ(SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED), ES_CONTINUOUS);
    EXPECT_EQ(SetThreadExecutionState(ES_SYSTEM_REQUIRED), ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
    EXPECT_EQ(SetThreadExecutionState(0x100), 0u) << "an unknown flag";
    EXPECT_THAT(SimulatedDesktop::ExecutionStateCalls(), ElementsAre(1u, 0x80000002u, 1u, 0x100u));
    EXPECT_THAT(SimulatedDesktop::Journal(),
                ElementsAre("SetThreadExecutionState 0x00000001", "SetThreadExecutionState 0x80000002",
                            "SetThreadExecutionState 0x00000001", "SetThreadExecutionState 0x00000100"));
}

// Creates the manager as the system does.
IVirtualDesktopManager* CreateManager(HRESULT expected = S_OK)
{
    IVirtualDesktopManager* manager = reinterpret_cast<IVirtualDesktopManager*>(0x1);
    EXPECT_EQ(CoCreateInstance(CLSID_VirtualDesktopManager, nullptr, CLSCTX_ALL, IID_IVirtualDesktopManager,
                               reinterpret_cast<void**>(&manager)),
              expected);
    EXPECT_EQ(manager == nullptr, FAILED(expected)) << "the out pointer is cleared on failure";
    return manager;
}

TEST_F(VirtualDesktopTest, ManagerTellsWhichWindowsAreOnTheCurrentDesktop)
{
    HWND here = TopLevel("Here");
    HWND elsewhere = TopLevel("Elsewhere");
    HWND childOfElsewhere = Child(elsewhere, "Child");
    SimulatedDesktop::SetOnCurrentVirtualDesktop(elsewhere, false);
    IVirtualDesktopManager* manager = CreateManager();
    const struct {
        const char* label;
        HWND window;
        HRESULT result;
        BOOL onCurrent;
    } rows[] = {{"here", here, S_OK, TRUE},
                {"elsewhere", elsewhere, S_OK, FALSE},
                {"a child goes with its top-level window", childOfElsewhere, S_OK, FALSE},
                {"not a window", reinterpret_cast<HWND>(0x4242), TYPE_E_ELEMENTNOTFOUND, -1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        BOOL onCurrent = -1;
        EXPECT_EQ(manager->IsWindowOnCurrentVirtualDesktop(row.window, &onCurrent), row.result);
        EXPECT_EQ(onCurrent, row.onCurrent);
    }
    manager->Release();
}

TEST_F(VirtualDesktopTest, MovingAWindowChangesItsDesktop)
{
    HWND window = TopLevel("Window");
    IVirtualDesktopManager* manager = CreateManager();
    GUID current{};
    ASSERT_EQ(manager->GetWindowDesktopId(window, &current), S_OK);
    SimulatedDesktop::SetOnCurrentVirtualDesktop(window, false);
    GUID other{};
    ASSERT_EQ(manager->GetWindowDesktopId(window, &other), S_OK);
    EXPECT_NE(current, other);
    EXPECT_EQ(manager->MoveWindowToDesktop(window, current), S_OK);
    BOOL onCurrent = FALSE;
    manager->IsWindowOnCurrentVirtualDesktop(window, &onCurrent);
    EXPECT_TRUE(onCurrent);
    EXPECT_EQ(manager->MoveWindowToDesktop(window, IID_IUnknown), E_INVALIDARG);
    manager->Release();
}

TEST_F(VirtualDesktopTest, FailureSwitchesFailCreationAndTheQuery)
{
    HWND window = TopLevel("Window");
    SimulatedDesktop::FailVirtualDesktopManagerCreation(true);
    CreateManager(CO_E_NOTINITIALIZED);
    SimulatedDesktop::FailVirtualDesktopManagerCreation(false);

    SimulatedDesktop::FailIsWindowOnCurrentVirtualDesktop(window, true);
    IVirtualDesktopManager* manager = CreateManager();
    BOOL onCurrent = TRUE;
    EXPECT_EQ(manager->IsWindowOnCurrentVirtualDesktop(window, &onCurrent), TYPE_E_ELEMENTNOTFOUND);
    manager->Release();
}

TEST_F(VirtualDesktopTest, CoCreateInstanceKnowsOnlyTheVirtualDesktopManager)
{
    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(CoCreateInstance(IID_IUnknown, nullptr, CLSCTX_ALL, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_VirtualDesktopManager, nullptr, CLSCTX_ALL, CLSID_VirtualDesktopManager, &object),
              E_NOINTERFACE);
    ASSERT_EQ(CoCreateInstance(CLSID_VirtualDesktopManager, nullptr, CLSCTX_ALL, IID_IUnknown, &object), S_OK);
    EXPECT_EQ(static_cast<IUnknown*>(object)->Release(), 0u);
}

TEST(InitOnceTest, RunsOnceAndHandsTheContextToLaterCallers)
{
    INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    BOOL pending = FALSE;
    ASSERT_TRUE(InitOnceBeginInitialize(&once, 0, &pending, nullptr));
    EXPECT_TRUE(pending);
    int context = 0;
    ASSERT_TRUE(InitOnceComplete(&once, 0, &context));
    void* handedOut = nullptr;
    ASSERT_TRUE(InitOnceBeginInitialize(&once, 0, &pending, &handedOut));
    EXPECT_FALSE(pending);
    EXPECT_EQ(handedOut, &context);

    EXPECT_FALSE(InitOnceComplete(&once, 0, nullptr)) << "already complete";
    EXPECT_EQ(GetLastError(), DWORD{ERROR_GEN_FAILURE});
    EXPECT_FALSE(InitOnceBeginInitialize(&once, INIT_ONCE_CHECK_ONLY, &pending, nullptr));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
}

TEST(InitOnceTest, AFailedInitialisationStartsOver)
{
    INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    BOOL pending = FALSE;
    InitOnceBeginInitialize(&once, 0, &pending, nullptr);
    ASSERT_TRUE(InitOnceComplete(&once, INIT_ONCE_INIT_FAILED, nullptr));
    ASSERT_TRUE(InitOnceBeginInitialize(&once, 0, &pending, nullptr));
    EXPECT_TRUE(pending);
}

}  // namespace
