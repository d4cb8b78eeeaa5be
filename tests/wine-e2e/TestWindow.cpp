#include "TestWindow.h"

#include <functional>
#include <future>
#include <thread>
#include <utility>

namespace {

constexpr UINT kRunTask = WM_APP + 1;

// The thread of every test window, as a host application's UI thread: the
// plugin's style changes from the test's thread become messages sent to it, so
// it keeps pumping while the test waits. It runs until the process ends.
DWORD StartUiThread()
{
    std::promise<DWORD> started;
    std::thread([&started] {
        MSG message;
        // The first message call creates the queue that PostThreadMessage needs.
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        started.set_value(GetCurrentThreadId());
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.hwnd == nullptr && message.message == kRunTask) {
                (*reinterpret_cast<std::packaged_task<void()>*>(message.lParam))();
            } else {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }).detach();
    return started.get_future().get();
}

// Returns when the task has run on the UI thread.
void RunOnUiThread(std::function<void()> task)
{
    static const DWORD uiThread = StartUiThread();
    std::packaged_task<void()> posted(std::move(task));
    std::future<void> done = posted.get_future();
    PostThreadMessageW(uiThread, kRunTask, 0, reinterpret_cast<LPARAM>(&posted));
    done.get();
}

}  // namespace

TestWindow::TestWindow(const std::wstring& className, const std::wstring& title, RECT rect, DWORD exStyle, bool withEdit)
{
    RunOnUiThread([&, this] { Create(className, title, rect, exStyle, withEdit); });
}

TestWindow::~TestWindow()
{
    RunOnUiThread([this] { DestroyWindow(window); });
}

bool TestWindow::Below(HWND other) const
{
    HWND above = GetWindow(window, GW_HWNDPREV);
    while (above != nullptr && above != other) {
        above = GetWindow(above, GW_HWNDPREV);
    }
    return above != nullptr;
}

std::vector<POINT> TestWindow::ButtonDowns() const
{
    const std::lock_guard lock(mutex);
    return buttonDowns;
}

int TestWindow::ExStyleChanges() const
{
    const std::lock_guard lock(mutex);
    return exStyleChanges;
}

// Shown without activation: activating a window also moves the X focus, whose
// events Wine handles later on this thread.
void TestWindow::Create(const std::wstring& className, const std::wstring& title, RECT rect, DWORD exStyle,
                        bool withEdit)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(instance, className.c_str(), &windowClass)) {
        windowClass.lpfnWndProc = &TestWindow::Procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = className.c_str();
        RegisterClassExW(&windowClass);
    }
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    // A window takes its creating thread's awareness: these are per-monitor
    // aware in any process, as a DPI-aware application's would be.
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    window = CreateWindowExW(exStyle, className.c_str(), title.c_str(), WS_POPUP, rect.left, rect.top, width, height,
                             nullptr, nullptr, instance, this);
    if (withEdit) {
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, width, height, window, nullptr,
                        instance, nullptr);
    }
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    if (message == WM_MOUSEACTIVATE) {
        return MA_NOACTIVATE;
    }
    if (message == WM_STYLECHANGING && static_cast<int>(wParam) == GWL_EXSTYLE) {
        TakeMouseInputBeforeRestore(*reinterpret_cast<const STYLESTRUCT*>(lParam));
    }
    if (auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
        self->Record(message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Wine routes a mouse message when the thread takes it from its queue: input
// injected while this window let the mouse through is taken before the
// plugin's restore makes it catch the mouse again (README.md).
void TestWindow::TakeMouseInputBeforeRestore(const STYLESTRUCT& change)
{
    if ((change.styleOld & WS_EX_TRANSPARENT) == 0 || (change.styleNew & WS_EX_TRANSPARENT) != 0) {
        return;
    }
    MSG waiting;
    while (PeekMessageW(&waiting, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        DispatchMessageW(&waiting);
    }
}

void TestWindow::Record(UINT message, WPARAM wParam, LPARAM lParam)
{
    const std::lock_guard lock(mutex);
    if (message == WM_LBUTTONDOWN) {
        buttonDowns.push_back(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    }
    if (message == WM_STYLECHANGED && static_cast<int>(wParam) == GWL_EXSTYLE) {
        ++exStyleChanges;
    }
}
