#include "UiThread.h"

#include <future>

namespace {

constexpr UINT kRunTask = WM_APP + 1;

struct Task {
    const std::function<void()>& work;
    std::promise<void> done;
};

}  // namespace

UiThread::UiThread()
{
    std::promise<DWORD> started;
    std::future<DWORD> id = started.get_future();
    thread = std::thread([this, &started] {
        MSG message;
        // The first message call creates the thread's queue, which
        // PostThreadMessage needs.
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        started.set_value(GetCurrentThreadId());
        Loop();
    });
    threadId = id.get();
}

UiThread::~UiThread()
{
    PostThreadMessageW(threadId, WM_QUIT, 0, 0);
    thread.join();
}

void UiThread::Run(const std::function<void()>& task)
{
    Task posted{task, {}};
    std::future<void> done = posted.done.get_future();
    PostThreadMessageW(threadId, kRunTask, 0, reinterpret_cast<LPARAM>(&posted));
    done.get();
}

void UiThread::Loop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == kRunTask) {
            auto* task = reinterpret_cast<Task*>(message.lParam);
            task->work();
            task->done.set_value();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
