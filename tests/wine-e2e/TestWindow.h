#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

// A real top-level popup window, shown on top of the others without being
// activated, owned by the one UI thread of all test windows. Its procedure
// records the left-button presses (client coordinates) and the changes of its
// extended style that reach it. It never activates on a click either, so the
// windows of a test keep their order.
class TestWindow {
public:
    // `withEdit`: an edit control fills the client area, as a text field of the shared window.
    TestWindow(const std::wstring& className, const std::wstring& title, RECT rect, DWORD exStyle = 0,
               bool withEdit = false);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return window; }
    // Whether `other` stands anywhere above this window, as GetWindow reads the order.
    bool Below(HWND other) const;
    std::vector<POINT> ButtonDowns() const;
    int ExStyleChanges() const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void TakeMouseInputBeforeRestore(const STYLESTRUCT& change);
    void Create(const std::wstring& className, const std::wstring& title, RECT rect, DWORD exStyle, bool withEdit);
    void Record(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window = nullptr;
    mutable std::mutex mutex;
    std::vector<POINT> buttonDowns;
    int exStyleChanges = 0;
};
