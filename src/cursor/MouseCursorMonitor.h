#pragma once

#include <atomic>
#include <vector>

#include "common/Singleton.h"
#include "cursor/TimerThread.h"
#include "messaging/CursorSample.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// Polls the host cursor every 10 ms on its own timer thread and hands the
// samples to its owner in batches of ten. Every tick makes a sample, changed or
// not; a tick that cannot read the cursor repeats the previous one.
//
// Threads: Init, Uninit, startTimer and stopTimer run on the command thread;
// Capture and the callback on the timer's worker. The monitor takes no lock:
// Init stores the callback and empties the batch before the worker exists, and
// Uninit joins the worker before it empties the batch and clears the callback.
// The callback must not call Uninit: the worker cannot join itself.
class MouseCursorMonitor : public TESSARIL_COMMON::Singleton<MouseCursorMonitor> {
public:
    class Callback {
    public:
        // On the timer thread; must return quickly. The batch is emptied
        // after the call.
        virtual void OnMouseCursorCaptured(std::vector<CursorSample>& batch) = 0;
        virtual ~Callback() = default;
    };

    static constexpr size_t kBatchSize = 10;

    MouseCursorMonitor() = default;
    // Uninits a monitor still running, so no worker outlives it.
    ~MouseCursorMonitor() override;

    // Starts polling for this receiver, which the monitor does not own. Refused
    // with a line when already inited or when the receiver is null.
    void Init(Callback* receiver);
    // Stops polling; the samples of an unfinished batch are dropped.
    void Uninit();

    void startTimer();
    void stopTimer();

    // One tick: reads the cursor, appends a sample, delivers a full batch.
    void Capture();

private:
    TimerThread timer;
    // Atomic so that the ordering above is not all that keeps the timer
    // thread's read apart from the command thread's writes.
    std::atomic<Callback*> callback{nullptr};
    // The latest sample; survives Uninit, so a restart whose first reading
    // fails repeats the last sample of the previous run. Worker only while
    // the timer runs.
    CursorSample current;
    std::vector<CursorSample> batch;
    // Command thread only.
    bool inited = false;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
