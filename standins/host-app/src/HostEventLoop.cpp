#include "HostEventLoop.h"

#include <stdexcept>

namespace TESSARIL_HOST_APP {

std::atomic<HostEventLoop*> HostEventLoop::instance{nullptr};

HostEventLoop::HostEventLoop()
{
    HostEventLoop* none = nullptr;
    if (!instance.compare_exchange_strong(none, this)) {
        throw std::logic_error("only one HostEventLoop may exist at a time");
    }
    thread = std::thread(&HostEventLoop::Run, this);
}

HostEventLoop::~HostEventLoop()
{
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    thread.join();
    instance = nullptr;
}

TessarilEventLoopTable HostEventLoop::Table() const
{
    TessarilEventLoopTable table{};
    table.registerListener = &RegisterListener;
    table.unregisterListener = &UnregisterListener;
    table.cancelTask = &CancelTask;
    table.postTask = &PostTask;
    return table;
}

void HostEventLoop::Drain()
{
    std::unique_lock lock(mutex);
    idle.wait(lock, [this] { return queue.empty() && !taskRunning; });
}

bool HostEventLoop::OnLoopThread() const
{
    return std::this_thread::get_id() == thread.get_id();
}

uint64_t HostEventLoop::TasksRun() const
{
    const std::lock_guard lock(mutex);
    return tasksRun;
}

void HostEventLoop::Run()
{
    Task task{};
    while (NextTask(task)) {
        task.callback(task.context);
    }
}

// Marks the previous task done and waits for the next; false once stopping.
bool HostEventLoop::NextTask(Task& task)
{
    std::unique_lock lock(mutex);
    if (taskRunning) {
        taskRunning = false;
        ++tasksRun;
    }
    if (queue.empty()) {
        idle.notify_all();
    }
    wake.wait(lock, [this] { return stopping || !queue.empty(); });
    if (stopping) {
        return false;
    }
    task = queue.front();
    queue.pop_front();
    taskRunning = true;
    return true;
}

// The entries are C functions called from inside the plugin: no exception may
// leave them. A call after the loop is gone does nothing and posts nothing (id 0).
uint64_t TESSARIL_CDECL HostEventLoop::PostTask(TessarilEventLoopCallback callback, void* context)
{
    HostEventLoop* const loop = instance.load();
    return loop == nullptr ? 0 : loop->Post(callback, context);
}

void TESSARIL_CDECL HostEventLoop::CancelTask(uint64_t taskId)
{
    if (HostEventLoop* const loop = instance.load()) {
        loop->Cancel(taskId);
    }
}

uint64_t TESSARIL_CDECL HostEventLoop::RegisterListener(TessarilEventLoopCallback callback, void* context)
{
    HostEventLoop* const loop = instance.load();
    return loop == nullptr ? 0 : loop->Register(callback, context);
}

void TESSARIL_CDECL HostEventLoop::UnregisterListener(uint64_t registration)
{
    if (HostEventLoop* const loop = instance.load()) {
        loop->Unregister(registration);
    }
}

uint64_t HostEventLoop::Post(TessarilEventLoopCallback callback, void* context)
{
    uint64_t id = 0;
    {
        const std::lock_guard lock(mutex);
        id = nextId++;
        queue.push_back({id, callback, context});
    }
    wake.notify_one();
    return id;
}

void HostEventLoop::Cancel(uint64_t taskId)
{
    const std::lock_guard lock(mutex);
    std::erase_if(queue, [taskId](const Task& task) { return task.id == taskId; });
    if (queue.empty() && !taskRunning) {
        idle.notify_all();
    }
}

uint64_t HostEventLoop::Register(TessarilEventLoopCallback callback, void* context)
{
    const std::lock_guard lock(mutex);
    const uint64_t id = nextId++;
    listeners[id] = {id, callback, context};
    return id;
}

void HostEventLoop::Unregister(uint64_t registration)
{
    const std::lock_guard lock(mutex);
    listeners.erase(registration);
}

}  // namespace TESSARIL_HOST_APP
