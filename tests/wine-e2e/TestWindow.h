#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

// Where and how a test window appears.
struct WindowLayout {
    std::wstring className;
    std::wstring title;
    RECT rect{};
    DWORD exStyle = 0;
    // An edit control filling the client area, as a text field of the shared window.
    bool withEdit = false;
};

// A real top-level popup window, created on top of the others and owned by
// the one UI thread of all test windows. Its procedure records the left-button
// presses (client coordinates) and the changes of its extended style that
// reach it. It never activates on a click, so clicks do not reorder the
// windows of a test.
class TestWindow {
public:
    explicit TestWindow(WindowLayout layout);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return window; }
    const RECT& Rect() const { return layout.rect; }
    LONG ExStyle() const { return GetWindowLongW(window, GWL_EXSTYLE); }
    std::vector<POINT> ButtonDowns() const;
    int ExStyleChanges() const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void TakeMouseInputBeforeRestore(const STYLESTRUCT& change);
    static void RegisterClassOnce(const std::wstring& className);
    void Create();
    void Record(UINT message, WPARAM wParam, LPARAM lParam);

    const WindowLayout layout;
    HWND window = nullptr;
    mutable std::mutex mutex;
    std::vector<POINT> buttonDowns;
    int exStyleChanges = 0;
};
