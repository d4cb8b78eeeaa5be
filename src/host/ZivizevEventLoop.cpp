#include "host/ZivizevEventLoop.h"

#include <algorithm>
#include <memory>

namespace TESSARIL_REMOTECONTROL_HOST {

void ZivizevEventLoop::Init(TessarilEventLoopTable table)
{
    entries = table;
    if (entries.registerListener != nullptr) {
        registrationHandle = entries.registerListener(&ZivizevEventLoop::RunListeners, nullptr);
    }
}

void ZivizevEventLoop::Uninit()
{
    if (entries.unregisterListener != nullptr) {
        entries.unregisterListener(registrationHandle);
        registrationHandle = 0;
    }
    if (entries.cancelTask != nullptr) {
        CancelFirstTable();
    }
}

uint64_t ZivizevEventLoop::PostTask(const Task& task)
{
    auto copy = std::make_unique<Task>(task);
    if (entries.postTask == nullptr) {
        return 0;
    }
    BeginHandOver(copy.get());
    Task* context = copy.release();
    const uint64_t id = entries.postTask(&ZivizevEventLoop::RunPostedTask, context);
    FinishHandOver(id, context);
    return id;
}

size_t ZivizevEventLoop::PendingPostedTaskCount() const
{
    std::lock_guard lock(mutex);
    return pendingTables[kPostedTable].size();
}

void TESSARIL_CDECL ZivizevEventLoop::RunPostedTask(void* context)
{
    auto* task = static_cast<Task*>(context);
    (*task)();
    // The record goes before the copy is freed: while it is recorded, its
    // address cannot belong to another task.
    GetInstance()->ForgetPostedTask(task);
    delete task;
}

void TESSARIL_CDECL ZivizevEventLoop::RunListeners(void*)
{
    for (const auto& [id, listener] : GetInstance()->CopyListeners()) {
        listener();
    }
}

void ZivizevEventLoop::CancelFirstTable()
{
    std::map<uint64_t, Task*> cancelled;
    {
        std::lock_guard lock(mutex);
        cancelled.swap(pendingTables[kCancelledTable]);
    }
    for (const auto& [id, task] : cancelled) {
        entries.cancelTask(id);
        delete task;
    }
}

void ZivizevEventLoop::BeginHandOver(Task* task)
{
    std::lock_guard lock(mutex);
    inHandOver.insert(task);
}

// When the host ran the task before entry 10 returned, RunPostedTask has taken
// it out of the hand-over set already and nothing is recorded.
void ZivizevEventLoop::FinishHandOver(uint64_t id, Task* task)
{
    std::lock_guard lock(mutex);
    if (inHandOver.erase(task) == 1) {
        pendingTables[kPostedTable][id] = task;
    }
}

// Records are matched by task, not by id: the host may return one id twice,
// and the later record then replaces the earlier one.
void ZivizevEventLoop::ForgetPostedTask(Task* task)
{
    std::lock_guard lock(mutex);
    if (inHandOver.erase(task) == 1) {
        return;
    }
    auto& posted = pendingTables[kPostedTable];
    const auto record =
        std::find_if(posted.begin(), posted.end(), [task](const auto& entry) { return entry.second == task; });
    if (record != posted.end()) {
        posted.erase(record);
    }
}

std::map<uint64_t, ZivizevEventLoop::Task> ZivizevEventLoop::CopyListeners() const
{
    std::lock_guard lock(mutex);
    return listeners;
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
