#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <set>

#include "common/Singleton.h"
#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// Runs work on the host application's event loop through the entry points of
// its TessarilEventLoopTable. Owns no thread and no queue: ordering, timing and
// the thread that runs posted work are the host application's.
//
// A posted task travels as a heap copy, the context of RunPostedTask. The copy
// belongs to that callback, which runs and frees it; the pending table only
// records which tasks the host application still holds.
//
// Threads: Init and Uninit run on the thread of ExportedInit and ExportedUninit,
// and only they write the table copy and the registration handle: Init before
// the first PostTask, Uninit after the last. PostTask runs on the cursor timer
// thread, RunPostedTask and RunListeners on the host application's loop thread.
// What these share, the pending tables, the listener table and the tasks in
// hand-over, is touched only under `mutex`. No entry of the host application
// is called while it is held: the host may run a callback, which takes it too,
// from inside any entry.
class ZivizevEventLoop : public TESSARIL_COMMON::Singleton<ZivizevEventLoop> {
public:
    using Task = std::function<void()>;

    // The tables are emptied; tasks still recorded are not freed, since the
    // host application may still run their callbacks.
    ~ZivizevEventLoop() override = default;

    // Keeps a copy of the table and registers RunListeners through entry 1.
    void Init(TessarilEventLoopTable table);

    // Unregisters through entry 2 and cancels the first pending table through
    // entry 4. Posted tasks that have not run stay with the host application.
    void Uninit();

    // Hands a copy of the task to entry 10, to run once on the host's loop; the
    // id the host returned, or 0 when there is no entry 10 and the task is
    // dropped unrun.
    uint64_t PostTask(const Task& task);

    // Posted tasks that the host application holds and has not yet run.
    size_t PendingPostedTaskCount() const;

    // Given to entry 10 with the heap copy of a task as context.
    static void TESSARIL_CDECL RunPostedTask(void* context);

    // Given to entry 1; the context is not used.
    static void TESSARIL_CDECL RunListeners(void* context);

private:
    // Uninit cancels the first table; PostTask records in the fourth. The other
    // kinds of hand-over are never used by the system.
    static constexpr size_t kCancelledTable = 0;
    static constexpr size_t kPostedTable = 3;

    void CancelFirstTable();
    void BeginHandOver(Task* task);
    void FinishHandOver(uint64_t id, Task* task);
    void ForgetPostedTask(Task* task);
    std::map<uint64_t, Task> CopyListeners() const;

    TessarilEventLoopTable entries{};
    std::map<uint64_t, Task> listeners;  // the system registers none
    std::array<std::map<uint64_t, Task*>, 5> pendingTables;
    uint64_t registrationHandle = 0;

    mutable std::mutex mutex;
    // Tasks given to entry 10 whose call has not returned yet. A task the host
    // runs before then is taken out here, so that no record is made for it.
    std::set<Task*> inHandOver;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
