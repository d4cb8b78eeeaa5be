#include "cursor/TimerThread.h"

#include <algorithm>
#include <chrono>

namespace TESSARIL_REMOTECONTROL_HOST {

TimerThread::~TimerThread()
{
    if (thread) {
        std::string ignored;
        stopThread(ignored);
    }
}

void TimerThread::startThread(ThreadHook startHook, ThreadHook exitHook)
{
    if (thread) {
        return;
    }
    stopRequested = false;
    onThreadStart = std::move(startHook);
    onThreadExit = std::move(exitHook);
    period = kPeriodMicroseconds;
    std::lock_guard lock(listMutex);
    thread = std::make_unique<std::thread>(&TimerThread::run, this);
}

int32_t TimerThread::addTimer(Callback callback, void* userData)
{
    return addEntry(std::move(callback), userData, false);
}

int32_t TimerThread::addOneShotTimer(Callback callback, void* userData)
{
    return addEntry(std::move(callback), userData, true);
}

int32_t TimerThread::addEntry(Callback callback, void* userData, bool oneShot)
{
    if (!callback) {
        return -1;
    }
    std::lock_guard lock(listMutex);
    // A stopping worker drops its timers; an id for a timer that can never fire
    // would mislead, and one added by onThreadExit would outlive the stop.
    if (!thread || stopRequested) {
        return -1;
    }
    const int32_t id = takeId();
    if (id < 0) {
        return -1;
    }
    const int64_t interval = kIntervalMicroseconds;
    // Braces, not make_unique: clang 14 cannot initialise an aggregate from parentheses.
    timers.push_back(std::unique_ptr<TimerEntry>(
        new TimerEntry{Now() + interval, interval, id, std::move(callback), userData, false, oneShot}));
    return id;
}

// Under listMutex. nextId is never reset; it stops at the limit instead of
// counting on, which no caller can tell apart and which keeps it from
// overflowing after 2^31 refused calls.
int32_t TimerThread::takeId()
{
    const int32_t id = nextId;
    nextId = std::min(nextId + 1, kIdLimit);
    return nextId < kIdLimit ? id : -1;
}

bool TimerThread::removeTimer(int32_t id)
{
    if (!markRemoved(id)) {
        return false;
    }
    // The worker may have read the flag just before it was set; taking the
    // callback lock once waits out that firing. On the worker the caller is
    // itself a callback, and the flag is read before each call.
    if (!onWorker()) {
        std::lock_guard wait(callbackMutex);
    }
    return true;
}

bool TimerThread::markRemoved(int32_t id)
{
    std::lock_guard lock(listMutex);
    const auto found = std::find_if(timers.begin(), timers.end(), [id](const auto& entry) {
        return entry->id == id && !entry->removed;
    });
    if (found == timers.end()) {
        return false;
    }
    (*found)->removed = true;
    return true;
}

bool TimerThread::stopThread(std::string& error)
{
    if (!requestStop(error)) {
        return false;
    }
    thread->join();
    std::lock_guard lock(listMutex);
    thread.reset();
    return true;
}

bool TimerThread::isRunning()
{
    std::lock_guard lock(listMutex);
    return thread != nullptr;
}

bool TimerThread::requestStop(std::string& error)
{
    std::lock_guard lock(listMutex);
    if (!thread) {
        error = kNotRunningError;
        return false;
    }
    if (thread->get_id() == std::this_thread::get_id()) {
        error = kCalledFromCallbackError;
        return false;
    }
    // Set and signalled under the mutex the worker waits with, so the wakeup
    // cannot fall between its check of the flag and the start of its wait.
    stopRequested = true;
    wakeup.notify_one();
    return true;
}

bool TimerThread::onWorker() const
{
    return thread && thread->get_id() == std::this_thread::get_id();
}

void TimerThread::run()
{
    if (onThreadStart) {
        onThreadStart();
    }
    while (!stopRequested) {
        processTimers();
        waitForNextTick();
    }
    dropTimers();
    if (onThreadExit) {
        onThreadExit();
    }
}

void TimerThread::processTimers()
{
    const int64_t start = Now();
    const std::vector<TimerEntry*> due = collectDueTimers(start);
    fireTimers(due, start);
    lastTickDuration = Now() - start;
}

std::vector<TimerEntry*> TimerThread::collectDueTimers(int64_t start)
{
    std::lock_guard lock(listMutex);
    std::erase_if(timers, [](const auto& entry) { return entry->removed.load(); });
    std::vector<TimerEntry*> due;
    for (const auto& entry : timers) {
        if (start >= entry->due) {
            due.push_back(entry.get());
        }
    }
    return due;
}

// Rescheduling counts from the start of the tick, not from the call, so a slow
// callback does not push the timers behind it off the tick rhythm.
void TimerThread::fireTimers(const std::vector<TimerEntry*>& due, int64_t start)
{
    std::lock_guard lock(callbackMutex);
    for (TimerEntry* entry : due) {
        if (entry->removed) {
            continue;
        }
        if (entry->callback) {
            entry->callback(entry->userData);
        }
        if (entry->oneShot) {
            entry->removed = true;
        } else {
            entry->due = start + entry->interval;
        }
    }
}

// Sleeping one period less the part of it the last tick used keeps ticks on a
// 10 ms grid: a 3 ms tick is followed by 7 ms, a 13 ms tick by 7 ms, a tick of
// exactly 10 ms by a full period.
void TimerThread::waitForNextTick()
{
    std::unique_lock lock(listMutex);
    const int64_t wait = period - lastTickDuration % period;
    wakeup.wait_for(lock, std::chrono::microseconds(wait), [this] { return stopRequested.load(); });
}

// The entries are destroyed outside the lock: a callable's captures may call
// back into this object from their destructors.
void TimerThread::dropTimers()
{
    std::vector<std::unique_ptr<TimerEntry>> dropped;
    {
        std::lock_guard lock(listMutex);
        dropped.swap(timers);
    }
}

int64_t TimerThread::Now()
{
    const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count() / 1000;
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
