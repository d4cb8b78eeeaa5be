#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_HOST_APP {

// The host application's event loop: entries 1, 2, 4 and 10 of a
// TessarilEventLoopTable, backed by one thread of its own that runs posted
// callbacks once each, in the order they were posted. Each entry call and each
// run is written to a journal.
//
// The entries are plain C functions with no context of their own, so they find
// the loop through a process-wide pointer: only one EventLoop may exist at a
// time (a second one aborts), and its entries must not be called after it is
// gone.
class EventLoop {
public:
    enum class PostMode {
        Queue,          // later, on the loop thread
        RunInsidePost,  // at once, on the posting thread, inside postTask
    };

    // What entry 1 returns; the high half is set, so a handle cut to 32 bits shows.
    static constexpr uint64_t kRegistrationHandle = 0x1'0000'0007;

    EventLoop();
    // Runs what is still queued, paused or not, then joins the loop thread.
    ~EventLoop();

    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    // Entries 1, 2, 4 and 10; all others null and the value 0.
    TessarilEventLoopTable Table() const;

    void SetPostMode(PostMode mode);

    // While paused, queued callbacks wait (they run late); postTask still queues them.
    void Pause();
    void Resume();

    // Returns once everything queued so far, and what it queued, has run; must
    // not be called while paused with callbacks queued.
    void WaitUntilIdle();

    // In order: "registerListener", "unregisterListener <handle>",
    // "cancelTask <id>", "postTask <id>", "run <id>" as a posted callback starts.
    std::vector<std::string> Journal() const;
    // How many postTask calls the loop has taken.
    uint64_t PostedCount() const;

    std::thread::id LoopThreadId() const;

private:
    struct Call {
        std::string label;
        TessarilEventLoopCallback callback = nullptr;
        void* context = nullptr;
    };

    static uint64_t TESSARIL_CDECL RegisterListener(TessarilEventLoopCallback callback, void* context);
    static void TESSARIL_CDECL UnregisterListener(uint64_t registration);
    static void TESSARIL_CDECL CancelTask(uint64_t taskId);
    static uint64_t TESSARIL_CDECL PostTask(TessarilEventLoopCallback callback, void* context);
    static EventLoop& Current();

    uint64_t Post(TessarilEventLoopCallback callback, void* context);
    void Enqueue(Call call);
    void Record(std::string line);
    void RunLoop();
    bool TakeNext(Call& call);

    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<Call> queue;
    std::vector<std::string> journal;
    PostMode postMode = PostMode::Queue;
    uint64_t nextPostId = 1;  // the plugin reads 0 as "not posted"
    uint64_t postedCount = 0;
    // Calls ever queued and calls finished: FIFO makes one count enough.
    uint64_t queuedCount = 0;
    uint64_t finishedCount = 0;
    bool paused = false;
    bool stopping = false;
    std::thread thread;
};

}  // namespace TESSARIL_HOST_APP
