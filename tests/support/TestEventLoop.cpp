#include "TestEventLoop.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<TestEventLoop*> currentLoop{nullptr};

}  // namespace

TestEventLoop::TestEventLoop()
{
    if (currentLoop.exchange(this) != nullptr) {
        std::fputs("TestEventLoop: only one may exist at a time\n", stderr);
        std::abort();
    }
    thread = std::thread(&TestEventLoop::RunLoop, this);
}

TestEventLoop::~TestEventLoop()
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

TessarilEventLoopTable TestEventLoop::Table() const
{
    TessarilEventLoopTable table{};
    table.registerListener = &TestEventLoop::RegisterListener;
    table.unregisterListener = &TestEventLoop::UnregisterListener;
    table.cancelTask = &TestEventLoop::CancelTask;
    table.postTask = &TestEventLoop::PostTask;
    return table;
}

void TestEventLoop::SetPostMode(PostMode mode)
{
    std::lock_guard lock(mutex);
    postMode = mode;
}

void TestEventLoop::SetNextPostId(uint64_t id)
{
    std::lock_guard lock(mutex);
    nextPostId = id;
}

void TestEventLoop::Pause()
{
    std::lock_guard lock(mutex);
    paused = true;
}

void TestEventLoop::Resume()
{
    {
        std::lock_guard lock(mutex);
        paused = false;
    }
    changed.notify_all();
}

void TestEventLoop::TriggerListener()
{
    Call call;
    {
        std::lock_guard lock(mutex);
        call = Call{"listener", listener, listenerContext};
    }
    Enqueue(std::move(call));
}

void TestEventLoop::WaitUntilIdle()
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return finishedCount == queuedCount; });
}

std::vector<std::string> TestEventLoop::Journal() const
{
    std::lock_guard lock(mutex);
    return journal;
}

std::thread::id TestEventLoop::LoopThreadId() const
{
    return thread.get_id();
}

uint64_t TESSARIL_CDECL TestEventLoop::RegisterListener(TessarilEventLoopCallback callback, void* context)
{
    TestEventLoop& loop = Current();
    std::lock_guard lock(loop.mutex);
    loop.listener = callback;
    loop.listenerContext = context;
    loop.journal.push_back("registerListener");
    return kRegistrationHandle;
}

void TESSARIL_CDECL TestEventLoop::UnregisterListener(uint64_t registration)
{
    TestEventLoop& loop = Current();
    std::lock_guard lock(loop.mutex);
    loop.listener = nullptr;
    loop.listenerContext = nullptr;
    loop.journal.push_back("unregisterListener " + std::to_string(registration));
}

void TESSARIL_CDECL TestEventLoop::CancelTask(uint64_t taskId)
{
    Current().Record("cancelTask " + std::to_string(taskId));
}

uint64_t TESSARIL_CDECL TestEventLoop::PostTask(TessarilEventLoopCallback callback, void* context)
{
    return Current().Post(callback, context);
}

TestEventLoop& TestEventLoop::Current()
{
    TestEventLoop* loop = currentLoop;
    if (loop == nullptr) {
        std::fputs("TestEventLoop: an entry was called with no loop alive\n", stderr);
        std::abort();
    }
    return *loop;
}

uint64_t TestEventLoop::Post(TessarilEventLoopCallback callback, void* context)
{
    std::unique_lock lock(mutex);
    const uint64_t id = nextPostId++;
    const PostMode mode = postMode;
    journal.push_back("postTask " + std::to_string(id));
    lock.unlock();

    const Call call{"run " + std::to_string(id), callback, context};
    if (mode == PostMode::RunInsidePost) {
        Record(call.label);
        call.callback(call.context);
    } else {
        const uint64_t sequence = Enqueue(call);
        if (mode == PostMode::RunOnLoopBeforeReturn) {
            WaitUntilRun(sequence);
        }
    }
    return id;
}

uint64_t TestEventLoop::Enqueue(Call call)
{
    uint64_t sequence = 0;
    {
        std::lock_guard lock(mutex);
        queue.push_back(std::move(call));
        sequence = ++queuedCount;
    }
    changed.notify_all();
    return sequence;
}

void TestEventLoop::WaitUntilRun(uint64_t sequence)
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [this, sequence] { return finishedCount >= sequence; });
}

void TestEventLoop::Record(std::string line)
{
    std::lock_guard lock(mutex);
    journal.push_back(std::move(line));
}

// The loop thread: one call at a time, in the order queued, never under the
// mutex, since a callback may post again.
void TestEventLoop::RunLoop()
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
bool TestEventLoop::TakeNext(Call& call)
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
