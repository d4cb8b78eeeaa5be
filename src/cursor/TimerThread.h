#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace TESSARIL_REMOTECONTROL_HOST {

// One registered timer. Times are microseconds of the steady clock.
struct TimerEntry {
    int64_t due = 0;
    int64_t interval = 0;
    int32_t id = 0;
    std::function<void(void*)> callback;
    void* userData = nullptr;
    // Atomic because removeTimer may mark an entry from the caller's thread
    // while the worker reads the flag under the other mutex.
    std::atomic<bool> removed{false};
    bool oneShot = false;
};

// A scheduler with one worker thread that ticks every 10 ms, fires the timers
// whose time has come and sleeps for the rest of the period. It does no logging:
// refusals come back as -1, false or an error text for the caller to report.
//
// Threads: startThread, addTimer and stopThread run on the caller's thread;
// run, processTimers and every callback on the worker. A callback may call
// addTimer and removeTimer; stopThread from a callback is refused, since the
// worker cannot join itself. listMutex guards the timer list and is the mutex
// of the wakeup; callbackMutex covers a tick's callback phase, so callbacks
// never run concurrently. The worker never holds both; a callback that calls
// addTimer or removeTimer takes listMutex inside callbackMutex, never the other
// way round.
class TimerThread {
public:
    using Callback = std::function<void(void*)>;
    using ThreadHook = std::function<void()>;

    // The cursor is polled 100 times a second.
    static constexpr int64_t kPeriodMicroseconds = 10000;
    static constexpr int64_t kIntervalMicroseconds = 10000;
    // Ids run from 0 to kIdLimit - 2 over the object's life.
    static constexpr int32_t kIdLimit = 999999;

    static constexpr const char* kNotRunningError = "no timer thread running";
    static constexpr const char* kCalledFromCallbackError = "Cannot be call stopThread in timer callback";

    TimerThread() = default;
    // Stops a running worker, so no thread outlives the object; it must not be
    // destroyed from one of its own callbacks.
    ~TimerThread();

    TimerThread(const TimerThread&) = delete;
    TimerThread& operator=(const TimerThread&) = delete;

    // Starts the worker unless one exists; the hooks run first and last on it.
    void startThread(ThreadHook onThreadStart, ThreadHook onThreadExit);

    // A periodic timer first due one interval from now; its id, or -1 when no
    // worker runs, the callable is empty or the ids are used up.
    int32_t addTimer(Callback callback, void* userData);

    // As addTimer, for a timer that fires once and is then dropped.
    int32_t addOneShotTimer(Callback callback, void* userData);

    // Marks the timer dead. From any thread but the worker it also waits for a
    // callback phase under way, so no firing of the timer starts after it
    // returns. False when no live timer has the id.
    bool removeTimer(int32_t id);

    // Stops and joins the worker; its timers are dropped. False with the error
    // text when no worker runs or when called from the worker itself.
    bool stopThread(std::string& error);

    // True while a worker exists: from startThread until a stopThread that
    // succeeded.
    bool isRunning();

private:
    int32_t addEntry(Callback callback, void* userData, bool oneShot);
    int32_t takeId();
    bool markRemoved(int32_t id);
    bool requestStop(std::string& error);
    bool onWorker() const;

    void run();
    void processTimers();
    std::vector<TimerEntry*> collectDueTimers(int64_t start);
    void fireTimers(const std::vector<TimerEntry*>& due, int64_t start);
    void waitForNextTick();
    void dropTimers();

    static int64_t Now();

    // Each entry has its own allocation, so the due entries a tick calls after
    // releasing listMutex stay where they are when a callback's addTimer grows
    // the vector. Only the worker erases entries.
    std::vector<std::unique_ptr<TimerEntry>> timers;
    std::mutex callbackMutex;
    std::mutex listMutex;
    std::condition_variable wakeup;
    std::atomic<bool> stopRequested{false};
    // Written under listMutex, so a hook or callback on the new worker never
    // reads it half-assigned.
    std::unique_ptr<std::thread> thread;
    int64_t period = kPeriodMicroseconds;
    // Worker only.
    int64_t lastTickDuration = 0;
    int32_t nextId = 0;
    ThreadHook onThreadStart;
    ThreadHook onThreadExit;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
