#include "TestWindow.h"

#include <functional>
#include <future>
#include <set>
#include <thread>
#include <utility>

namespace {

constexpr UINT kRunTask = WM_APP + 1;

// The thread that owns every test window, as a host application's UI thread
// does. The plugin changes the windows' styles from the test's thread, which
// Windows turns into messages sent to this one, so it keeps pumping while the
// test waits; it runs until the process ends.
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

TestWindow::TestWindow(WindowLayout windowLayout) : layout(std::move(windowLayout))
{
    RunOnUiThread([this] { Create(); });
}

TestWindow::~TestWindow()
{
    RunOnUiThread([this] { DestroyWindow(window); });
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

void TestWindow::Create()
{
    RegisterClassOnce(layout.className);
    const RECT& r = layout.rect;
    window = CreateWindowExW(layout.exStyle, layout.className.c_str(), layout.title.c_str(), WS_POPUP | WS_VISIBLE,
                             r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                             GetModuleHandleW(nullptr), this);
    if (layout.withEdit) {
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, r.right - r.left,
                        r.bottom - r.top, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
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

// Wine routes a mouse message to a window when the thread takes it from its
// queue, not when SendInput queues it. Input injected while this window let
// the mouse through is taken now, before the plugin's restore makes it catch
// the mouse again (README.md, "Where Wine differs").
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

void TestWindow::RegisterClassOnce(const std::wstring& className)
{
    static std::set<std::wstring> registered;
    if (!registered.insert(className).second) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &TestWindow::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);
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
