#include "EventLoop.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace TESSARIL_HOST_APP {

namespace {

std::atomic<EventLoop*> currentLoop{nullptr};

}  // namespace

EventLoop::EventLoop()
{
    if (currentLoop.exchange(this) != nullptr) {
        std::fputs("EventLoop: only one may exist at a time\n", stderr);
        std::abort();
    }
    thread = std::thread(&EventLoop::RunLoop, this);
}

EventLoop::~EventLoop()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
        paused = false;
    }
    changed.notify_all();
    thread.join();
    currentLoop = nullptr;
}

TessarilEventLoopTable EventLoop::Table() const
{
    TessarilEventLoopTable table{};
    table.registerListener = &EventLoop::RegisterListener;
    table.unregisterListener = &EventLoop::UnregisterListener;
    table.cancelTask = &EventLoop::CancelTask;
    table.postTask = &EventLoop::PostTask;
    return table;
}

void EventLoop::SetPostMode(PostMode mode)
{
    std::lock_guard lock(mutex);
    postMode = mode;
}

void EventLoop::Pause()
{
    std::lock_guard lock(mutex);
    paused = true;
}

void EventLoop::Resume()
{
    {
        std::lock_guard lock(mutex);
        paused = false;
    }
    changed.notify_all();
}

void EventLoop::WaitUntilIdle()
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return finishedCount == queuedCount; });
}

std::vector<std::string> EventLoop::Journal() const
{
    std::lock_guard lock(mutex);
    return journal;
}

uint64_t EventLoop::PostedCount() const
{
    std::lock_guard lock(mutex);
    return postedCount;
}

std::thread::id EventLoop::LoopThreadId() const
{
    return thread.get_id();
}

// The plugin registers a listener it never needs called: only the calls are journaled.
uint64_t TESSARIL_CDECL EventLoop::RegisterListener(TessarilEventLoopCallback, void*)
{
    Current().Record("registerListener");
    return kRegistrationHandle;
}

void TESSARIL_CDECL EventLoop::UnregisterListener(uint64_t registration)
{
    Current().Record("unregisterListener " + std::to_string(registration));
}

void TESSARIL_CDECL EventLoop::CancelTask(uint64_t taskId)
{
    Current().Record("cancelTask " + std::to_string(taskId));
}

uint64_t TESSARIL_CDECL EventLoop::PostTask(TessarilEventLoopCallback callback, void* context)
{
    return Current().Post(callback, context);
}

EventLoop& EventLoop::Current()
{
    EventLoop* loop = currentLoop;
    if (loop == nullptr) {
        std::fputs("EventLoop: an entry was called with no loop alive\n", stderr);
        std::abort();
    }
    return *loop;
}

uint64_t EventLoop::Post(TessarilEventLoopCallback callback, void* context)
{
    std::unique_lock lock(mutex);
    const uint64_t id = nextPostId++;
    ++postedCount;
    const PostMode mode = postMode;
    journal.push_back("postTask " + std::to_string(id));
    lock.unlock();

    const Call call{"run " + std::to_string(id), callback, context};
    if (mode == PostMode::RunInsidePost) {
        Record(call.label);
        call.callback(call.context);
    } else {
        Enqueue(call);
    }
    return id;
}

void EventLoop::Enqueue(Call call)
{
    {
        std::lock_guard lock(mutex);
        queue.push_back(std::move(call));
        ++queuedCount;
    }
    changed.notify_all();
}

void EventLoop::Record(std::string line)
{
    std::lock_guard lock(mutex);
    journal.push_back(std::move(line));
}

// The loop thread: one call at a time, in the order queued, never under the
// mutex, since a callback may post again.
void EventLoop::RunLoop()
{
    Call call;
    while (TakeNext(call)) {
        if (call.callback != nullptr) {
            call.callback(call.context);
        }
        {
            std::lock_guard lock(mutex);
            ++finishedCount;
        }
        changed.notify_all();
    }
}

// False once stopping with nothing left to run.
bool EventLoop::TakeNext(Call& call)
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return stopping || (!paused && !queue.empty()); });
    if (queue.empty()) {
        return false;
    }
    call = std::move(queue.front());
    queue.pop_front();
    journal.push_back(call.label);
    return true;
}

}  // namespace TESSARIL_HOST_APP
