#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_HOST_APP {

// The host application's event loop: one thread of its own that runs posted
// callbacks once each, in the order they were posted. The plugin reaches it
// through the TessarilEventLoopTable that Table() fills: postTask (entry 10),
// cancelTask (4), registerListener (1) and unregisterListener (2).
//
// The table's entries are plain C functions without a context of their own,
// so they reach the one loop that exists at a time: constructing a second
// one while another lives throws std::logic_error.
class HostEventLoop {
public:
    HostEventLoop();
    // Stops the thread; tasks still queued are dropped unrun (Drain first).
    ~HostEventLoop();

    HostEventLoop(const HostEventLoop&) = delete;
    HostEventLoop& operator=(const HostEventLoop&) = delete;

    TessarilEventLoopTable Table() const;

    // Waits until every task posted so far, and any they post, has run.
    void Drain();
    bool OnLoopThread() const;
    uint64_t TasksRun() const;

private:
    struct Task {
        uint64_t id;
        TessarilEventLoopCallback callback;
        void* context;
    };

    static uint64_t TESSARIL_CDECL PostTask(TessarilEventLoopCallback callback, void* context);
    static void TESSARIL_CDECL CancelTask(uint64_t taskId);
    static uint64_t TESSARIL_CDECL RegisterListener(TessarilEventLoopCallback callback, void* context);
    static void TESSARIL_CDECL UnregisterListener(uint64_t registration);

    uint64_t Post(TessarilEventLoopCallback callback, void* context);
    void Cancel(uint64_t taskId);
    uint64_t Register(TessarilEventLoopCallback callback, void* context);
    void Unregister(uint64_t registration);

    void Run();
    bool NextTask(Task& task);

    static std::atomic<HostEventLoop*> instance;

    mutable std::mutex mutex;
    std::condition_variable wake;  // a task was queued, or the loop stops
    std::condition_variable idle;  // the queue emptied and no task runs
    std::deque<Task> queue;
    // Kept for unregisterListener; this host has no occasion to call them.
    std::map<uint64_t, Task> listeners;
    uint64_t nextId = 1;  // ids start at 1: the plugin reads 0 as "not posted"
    uint64_t tasksRun = 0;
    bool taskRunning = false;
    bool stopping = false;
    std::thread thread;
};

}  // namespace TESSARIL_HOST_APP
