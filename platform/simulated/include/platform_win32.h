#pragma once

// The part of the Win32 API that the system uses, for targets without
// <windows.h>. Names, types, values and calling semantics are those of Windows;
// the functions live in the simulated_desktop shared library, which plays
// user32, kernel32 and ole32 for every module of the process. Tests and the
// host-application substitute drive that desktop through simulated_desktop.h.
//
// Deliberate differences from Windows, all invisible to portable code:
// - WCHAR is wchar_t, 32 bits here; the W functions store one UTF-16 code unit
//   per element, surrogate pairs as two elements, exactly what Windows hands out.
// - The calling-convention macros are empty: only 32-bit Windows has stdcall.
// - Windows' 32-bit `long` becomes int32_t, so LONG, DWORD and HRESULT keep
//   their Windows sizes on 64-bit Linux, and constants that Windows writes with
//   an L suffix are plain int literals (unsigned where they exceed INT_MAX).

#ifndef __cplusplus
#error "platform_win32.h serves the C++ system code; the public C header does not need it"
#endif

#include <cstddef>
#include <cstdint>

#define SIMULATED_WIN32_API extern "C" __attribute__((visibility("default")))

#define WINAPI
#define CALLBACK
#define STDMETHODCALLTYPE

// ---- Basic types ---------------------------------------------------------

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef int INT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef wchar_t WCHAR;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef uint64_t DWORDLONG;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t UINT_PTR;
typedef uintptr_t DWORD_PTR;
typedef intptr_t LONG_PTR;
typedef intptr_t INT_PTR;
typedef LONG HRESULT;

typedef void* PVOID;
typedef void* LPVOID;
typedef void* HANDLE;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef BOOL* PBOOL;
typedef BOOL* LPBOOL;
typedef DWORD* PDWORD;
typedef DWORD* LPDWORD;

typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260

// Distinct pointer types per handle kind, as windef.h's DECLARE_HANDLE makes them.
#define DECLARE_HANDLE(name) \
    struct name##__ {        \
        int unused;          \
    };                       \
    typedef struct name##__* name
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HMONITOR);
DECLARE_HANDLE(HICON);
DECLARE_HANDLE(HINSTANCE);
typedef HICON HCURSOR;
typedef HINSTANCE HMODULE;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *PPOINT, *LPPOINT;

// ---- Errors ----------------------------------------------------------------

#define ERROR_SUCCESS 0
#define ERROR_ACCESS_DENIED 5
#define ERROR_GEN_FAILURE 31
#define ERROR_INVALID_PARAMETER 87
#define ERROR_CALL_NOT_IMPLEMENTED 120
#define ERROR_MOD_NOT_FOUND 126
#define ERROR_PROC_NOT_FOUND 127
#define ERROR_BAD_ARGUMENTS 160
#define ERROR_NOACCESS 998
#define ERROR_OLD_WIN_VERSION 1150
#define ERROR_INVALID_WINDOW_HANDLE 1400
#define ERROR_INVALID_INDEX 1413
#define ERROR_INVALID_GW_COMMAND 1418
#define ERROR_INVALID_MONITOR_HANDLE 1461
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814

SIMULATED_WIN32_API DWORD WINAPI GetLastError(void);
SIMULATED_WIN32_API void WINAPI SetLastError(DWORD dwErrCode);

// ---- Input -----------------------------------------------------------------

typedef struct tagMOUSEINPUT {
    LONG dx;
    LONG dy;
    DWORD mouseData;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
} MOUSEINPUT, *PMOUSEINPUT, *LPMOUSEINPUT;

typedef struct tagKEYBDINPUT {
    WORD wVk;
    WORD wScan;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
} KEYBDINPUT, *PKEYBDINPUT, *LPKEYBDINPUT;

typedef struct tagHARDWAREINPUT {
    DWORD uMsg;
    WORD wParamL;
    WORD wParamH;
} HARDWAREINPUT, *PHARDWAREINPUT, *LPHARDWAREINPUT;

typedef struct tagINPUT {
    DWORD type;
    union {
        MOUSEINPUT mi;
        KEYBDINPUT ki;
        HARDWAREINPUT hi;
    };
} INPUT, *PINPUT, *LPINPUT;

#define INPUT_MOUSE 0
#define INPUT_KEYBOARD 1
#define INPUT_HARDWARE 2

#define MOUSEEVENTF_MOVE 0x0001
#define MOUSEEVENTF_LEFTDOWN 0x0002
#define MOUSEEVENTF_LEFTUP 0x0004
#define MOUSEEVENTF_RIGHTDOWN 0x0008
#define MOUSEEVENTF_RIGHTUP 0x0010
#define MOUSEEVENTF_MIDDLEDOWN 0x0020
#define MOUSEEVENTF_MIDDLEUP 0x0040
#define MOUSEEVENTF_XDOWN 0x0080
#define MOUSEEVENTF_XUP 0x0100
#define MOUSEEVENTF_WHEEL 0x0800
#define MOUSEEVENTF_HWHEEL 0x1000
#define MOUSEEVENTF_MOVE_NOCOALESCE 0x2000
#define MOUSEEVENTF_VIRTUALDESK 0x4000
#define MOUSEEVENTF_ABSOLUTE 0x8000

#define KEYEVENTF_EXTENDEDKEY 0x0001
#define KEYEVENTF_KEYUP 0x0002
#define KEYEVENTF_UNICODE 0x0004
#define KEYEVENTF_SCANCODE 0x0008

#define XBUTTON1 0x0001
#define XBUTTON2 0x0002
#define WHEEL_DELTA 120

#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_CANCEL 0x03
#define VK_MBUTTON 0x04
#define VK_XBUTTON1 0x05
#define VK_XBUTTON2 0x06
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_NUMPAD0 0x60
#define VK_F1 0x70
#define VK_F12 0x7B
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5

SIMULATED_WIN32_API UINT WINAPI SendInput(UINT cInputs, LPINPUT pInputs, int cbSize);
SIMULATED_WIN32_API SHORT WINAPI GetKeyState(int nVirtKey);

// ---- System metrics and monitors --------------------------------------------

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_SWAPBUTTON 23
#define SM_XVIRTUALSCREEN 76
#define SM_YVIRTUALSCREEN 77
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79
#define SM_CMONITORS 80

typedef struct tagMONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
} MONITORINFO, *LPMONITORINFO;

#define MONITORINFOF_PRIMARY 0x00000001

SIMULATED_WIN32_API int WINAPI GetSystemMetrics(int nIndex);
SIMULATED_WIN32_API BOOL WINAPI GetMonitorInfoA(HMONITOR hMonitor, LPMONITORINFO lpmi);

// ---- Windows -----------------------------------------------------------------

#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)

#define WS_OVERLAPPED 0x00000000
#define WS_POPUP 0x80000000
#define WS_CHILD 0x40000000
#define WS_MINIMIZE 0x20000000
#define WS_VISIBLE 0x10000000
#define WS_DISABLED 0x08000000
#define WS_CLIPSIBLINGS 0x04000000
#define WS_CLIPCHILDREN 0x02000000
#define WS_MAXIMIZE 0x01000000
#define WS_CAPTION 0x00C00000
#define WS_BORDER 0x00800000
#define WS_DLGFRAME 0x00400000
#define WS_SYSMENU 0x00080000
#define WS_THICKFRAME 0x00040000
#define WS_MINIMIZEBOX 0x00020000
#define WS_MAXIMIZEBOX 0x00010000
#define WS_ICONIC WS_MINIMIZE
#define WS_OVERLAPPEDWINDOW \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)

#define WS_EX_TOPMOST 0x00000008
#define WS_EX_TRANSPARENT 0x00000020
#define WS_EX_TOOLWINDOW 0x00000080
#define WS_EX_WINDOWEDGE 0x00000100
#define WS_EX_APPWINDOW 0x00040000
#define WS_EX_LAYERED 0x00080000
#define WS_EX_NOACTIVATE 0x08000000

#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5

typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);

SIMULATED_WIN32_API LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex);
SIMULATED_WIN32_API LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong);
SIMULATED_WIN32_API BOOL WINAPI IsWindow(HWND hWnd);
SIMULATED_WIN32_API BOOL WINAPI IsWindowVisible(HWND hWnd);
SIMULATED_WIN32_API BOOL WINAPI IsIconic(HWND hWnd);
SIMULATED_WIN32_API HWND WINAPI GetWindow(HWND hWnd, UINT uCmd);
SIMULATED_WIN32_API BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect);
SIMULATED_WIN32_API BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
SIMULATED_WIN32_API int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount);
SIMULATED_WIN32_API int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount);
SIMULATED_WIN32_API int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
SIMULATED_WIN32_API int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount);
SIMULATED_WIN32_API DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);
SIMULATED_WIN32_API BOOL WINAPI EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam);
SIMULATED_WIN32_API BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam);

// ---- Cursor --------------------------------------------------------------------

typedef struct tagCURSORINFO {
    DWORD cbSize;
    DWORD flags;
    HCURSOR hCursor;
    POINT ptScreenPos;
} CURSORINFO, *PCURSORINFO, *LPCURSORINFO;

#define CURSOR_SHOWING 0x00000001
#define CURSOR_SUPPRESSED 0x00000002

// Resource ids travel in the low word of a string pointer. Like <windows.h>
// without UNICODE, IDC_* are narrow (LPSTR) so LoadCursorA takes them unchanged.
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA

#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_IBEAM MAKEINTRESOURCE(32513)
#define IDC_WAIT MAKEINTRESOURCE(32514)
#define IDC_CROSS MAKEINTRESOURCE(32515)
#define IDC_UPARROW MAKEINTRESOURCE(32516)
#define IDC_SIZENWSE MAKEINTRESOURCE(32642)
#define IDC_SIZENESW MAKEINTRESOURCE(32643)
#define IDC_SIZEWE MAKEINTRESOURCE(32644)
#define IDC_SIZENS MAKEINTRESOURCE(32645)
#define IDC_SIZEALL MAKEINTRESOURCE(32646)
#define IDC_NO MAKEINTRESOURCE(32648)
#define IDC_HAND MAKEINTRESOURCE(32649)
#define IDC_APPSTARTING MAKEINTRESOURCE(32650)
#define IDC_HELP MAKEINTRESOURCE(32651)

SIMULATED_WIN32_API BOOL WINAPI GetCursorInfo(PCURSORINFO pci);
SIMULATED_WIN32_API HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);

// ---- DPI awareness ------------------------------------------------------------------

// A thread that is not per-monitor aware reads window-manager coordinates in
// logical pixels of 96 DPI (see simulated_desktop.h for the model).
DECLARE_HANDLE(DPI_AWARENESS_CONTEXT);

typedef enum DPI_AWARENESS {
    DPI_AWARENESS_INVALID = -1,
    DPI_AWARENESS_UNAWARE = 0,
    DPI_AWARENESS_SYSTEM_AWARE = 1,
    DPI_AWARENESS_PER_MONITOR_AWARE = 2
} DPI_AWARENESS;

#define DPI_AWARENESS_CONTEXT_UNAWARE ((DPI_AWARENESS_CONTEXT)(LONG_PTR)-1)
#define DPI_AWARENESS_CONTEXT_SYSTEM_AWARE ((DPI_AWARENESS_CONTEXT)(LONG_PTR)-2)
#define DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE ((DPI_AWARENESS_CONTEXT)(LONG_PTR)-3)
#define DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 ((DPI_AWARENESS_CONTEXT)(LONG_PTR)-4)
#define DPI_AWARENESS_CONTEXT_UNAWARE_GDISCALED ((DPI_AWARENESS_CONTEXT)(LONG_PTR)-5)

SIMULATED_WIN32_API DPI_AWARENESS_CONTEXT WINAPI SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT dpiContext);
SIMULATED_WIN32_API DPI_AWARENESS_CONTEXT WINAPI GetThreadDpiAwarenessContext(void);
SIMULATED_WIN32_API DPI_AWARENESS WINAPI GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT value);

// ---- Modules ---------------------------------------------------------------------------

typedef INT_PTR(WINAPI* FARPROC)();

// Only "user32.dll" (any case) is a loaded module; GetProcAddress finds the DPI
// awareness functions above in it.
SIMULATED_WIN32_API HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName);
SIMULATED_WIN32_API FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName);

// ---- Power -----------------------------------------------------------------------

typedef DWORD EXECUTION_STATE;

#define ES_SYSTEM_REQUIRED 0x00000001
#define ES_DISPLAY_REQUIRED 0x00000002
#define ES_USER_PRESENT 0x00000004
#define ES_AWAYMODE_REQUIRED 0x00000040
#define ES_CONTINUOUS 0x80000000

SIMULATED_WIN32_API EXECUTION_STATE WINAPI SetThreadExecutionState(EXECUTION_STATE esFlags);

// ---- Version -----------------------------------------------------------------------

typedef struct _OSVERSIONINFOEXW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
} OSVERSIONINFOEXW, *POSVERSIONINFOEXW, *LPOSVERSIONINFOEXW;

#define VER_MINORVERSION 0x0000001
#define VER_MAJORVERSION 0x0000002
#define VER_BUILDNUMBER 0x0000004
#define VER_PLATFORMID 0x0000008
#define VER_SERVICEPACKMINOR 0x0000010
#define VER_SERVICEPACKMAJOR 0x0000020
#define VER_SUITENAME 0x0000040
#define VER_PRODUCT_TYPE 0x0000080

#define VER_EQUAL 1
#define VER_GREATER 2
#define VER_GREATER_EQUAL 3
#define VER_LESS 4
#define VER_LESS_EQUAL 5
#define VER_AND 6
#define VER_OR 7

#define VER_PLATFORM_WIN32_NT 2
#define VER_NT_WORKSTATION 0x0000001

SIMULATED_WIN32_API BOOL WINAPI VerifyVersionInfoW(LPOSVERSIONINFOEXW lpVersionInformation, DWORD dwTypeMask,
                                                   DWORDLONG dwlConditionMask);
SIMULATED_WIN32_API ULONGLONG WINAPI VerSetConditionMask(ULONGLONG ConditionMask, DWORD TypeMask, BYTE Condition);

// ---- One-time initialisation ---------------------------------------------------------

typedef union _RTL_RUN_ONCE {
    PVOID Ptr;
} RTL_RUN_ONCE, INIT_ONCE, *PINIT_ONCE, *LPINIT_ONCE;

#define INIT_ONCE_STATIC_INIT {0}
#define INIT_ONCE_CHECK_ONLY 0x00000001
#define INIT_ONCE_ASYNC 0x00000002
#define INIT_ONCE_INIT_FAILED 0x00000004
#define INIT_ONCE_CTX_RESERVED_BITS 2

SIMULATED_WIN32_API BOOL WINAPI InitOnceBeginInitialize(LPINIT_ONCE lpInitOnce, DWORD dwFlags, PBOOL fPending,
                                                        LPVOID* lpContext);
SIMULATED_WIN32_API BOOL WINAPI InitOnceComplete(LPINIT_ONCE lpInitOnce, DWORD dwFlags, LPVOID lpContext);

// ---- COM ----------------------------------------------------------------------------

typedef struct _GUID {
    uint32_t Data1;
    unsigned short Data2;
    unsigned short Data3;
    unsigned char Data4[8];
} GUID;
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

inline bool IsEqualGUID(REFGUID a, REFGUID b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) {
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i]) {
            return false;
        }
    }
    return true;
}
#define IsEqualIID(a, b) IsEqualGUID(a, b)
#define IsEqualCLSID(a, b) IsEqualGUID(a, b)
inline bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }
inline bool operator!=(REFGUID a, REFGUID b) { return !IsEqualGUID(a, b); }

#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOTIMPL ((HRESULT)0x80004001)
#define E_NOINTERFACE ((HRESULT)0x80004002)
#define E_POINTER ((HRESULT)0x80004003)
#define E_FAIL ((HRESULT)0x80004005)
#define E_UNEXPECTED ((HRESULT)0x8000FFFF)
#define E_ACCESSDENIED ((HRESULT)0x80070005)
#define E_OUTOFMEMORY ((HRESULT)0x8007000E)
#define E_INVALIDARG ((HRESULT)0x80070057)
#define TYPE_E_ELEMENTNOTFOUND ((HRESULT)0x8002802B)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154)
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0)

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_REMOTE_SERVER 0x10
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

// No destructor, as in unknwn.h: a virtual one would shift every vtable slot.
struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;
};
typedef IUnknown* LPUNKNOWN;

struct IVirtualDesktopManager : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE IsWindowOnCurrentVirtualDesktop(HWND topLevelWindow,
                                                                      BOOL* onCurrentDesktop) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetWindowDesktopId(HWND topLevelWindow, GUID* desktopId) = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveWindowToDesktop(HWND topLevelWindow, REFGUID desktopId) = 0;
};

inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr CLSID CLSID_VirtualDesktopManager = {
    0xAA509086, 0x5CA9, 0x4C25, {0x8F, 0x95, 0x58, 0x9D, 0x3C, 0x07, 0xB4, 0x8A}};
inline constexpr IID IID_IVirtualDesktopManager = {
    0xA5CD92FF, 0x29BE, 0x454C, {0x8D, 0x04, 0xD8, 0x28, 0x79, 0xFB, 0x3F, 0x1B}};

SIMULATED_WIN32_API HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext,
                                                    REFIID riid, LPVOID* ppv);

// ---- Layouts ------------------------------------------------------------------------

// The records cross into the OS by size, so their layout must be Windows' own:
// 32-bit targets match 32-bit Windows, 64-bit targets match 64-bit Windows.
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(INPUT) == 28, "INPUT as on 32-bit Windows");
static_assert(offsetof(INPUT, mi) == 4, "INPUT as on 32-bit Windows");
static_assert(offsetof(MOUSEINPUT, dwExtraInfo) == 20, "MOUSEINPUT as on 32-bit Windows");
static_assert(offsetof(KEYBDINPUT, dwExtraInfo) == 12, "KEYBDINPUT as on 32-bit Windows");
static_assert(sizeof(CURSORINFO) == 20, "CURSORINFO as on 32-bit Windows");
#else
static_assert(sizeof(INPUT) == 40, "INPUT as on 64-bit Windows");
static_assert(offsetof(INPUT, mi) == 8, "INPUT as on 64-bit Windows");
static_assert(offsetof(MOUSEINPUT, dwExtraInfo) == 24, "MOUSEINPUT as on 64-bit Windows");
static_assert(offsetof(KEYBDINPUT, dwExtraInfo) == 16, "KEYBDINPUT as on 64-bit Windows");
static_assert(sizeof(CURSORINFO) == 24, "CURSORINFO as on 64-bit Windows");
#endif
static_assert(offsetof(MOUSEINPUT, dwFlags) == 12, "MOUSEINPUT as on Windows");
static_assert(offsetof(KEYBDINPUT, dwFlags) == 4, "KEYBDINPUT as on Windows");
static_assert(sizeof(MONITORINFO) == 40, "MONITORINFO as on Windows");
static_assert(sizeof(RECT) == 16, "RECT as on Windows");
static_assert(sizeof(POINT) == 8, "POINT as on Windows");
