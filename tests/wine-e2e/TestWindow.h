#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "UiThread.h"

// Where and how a test window appears.
struct WindowLayout {
    std::wstring className;
    std::wstring title;
    RECT rect{};
    DWORD exStyle = 0;
    // An edit control filling the client area, as a text field of the shared window.
    bool withEdit = false;
};

// A real top-level popup window owned by the UI thread. Its window procedure
// records what reaches it: left-button presses (client coordinates) and
// changes of its extended style. It never activates on a click, so clicks do
// not reorder the windows of a test.
class TestWindow {
public:
    TestWindow(UiThread& ui, WindowLayout layout);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return window; }
    HWND Edit() const { return edit; }
    LONG ExStyle() const;
    std::vector<POINT> ButtonDowns() const;
    int ExStyleChanges() const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void TakeMouseInputBeforeRestore(const STYLESTRUCT& change);
    static void RegisterClassOnce(const std::wstring& className);
    void Record(UINT message, WPARAM wParam, LPARAM lParam);

    UiThread& ui;
    HWND window = nullptr;
    HWND edit = nullptr;
    mutable std::mutex mutex;
    std::vector<POINT> buttonDowns;
    int exStyleChanges = 0;
};
