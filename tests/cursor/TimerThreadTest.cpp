#include "cursor/TimerThread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <semaphore>
#include <string>
#include <thread>
#include <vector>

namespace {

using TESSARIL_REMOTECONTROL_HOST::TimerThread;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Bounds only how long a broken scheduler can hang a test.
constexpr auto kPatience = 3s;

// The firings of one timer (or hook): the time and the thread of each.
class Firings {
public:
    struct Firing {
        Clock::time_point time;
        std::thread::id thread;
    };
    TimerThread::Callback Recorder(std::chrono::milliseconds cost = 0ms)
    {
        return [this, cost](void*) { Record(), std::this_thread::sleep_for(cost); };
    }
    void Record()
    {
        std::lock_guard lock(mutex);
        firings.push_back({Clock::now(), std::this_thread::get_id()});
    }
    std::vector<Firing> Copy()
    {
        std::lock_guard lock(mutex);
        return firings;
    }
    size_t Count() { return Copy().size(); }
    bool WaitFor(size_t count)
    {
        const auto deadline = Clock::now() + kPatience;
        while (Count() < count && Clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        return Count() >= count;
    }

private:
    std::mutex mutex;
    std::vector<Firing> firings;
};

// Keeps the worker inside a one-shot timer's firing until Open, so that a test
// changes the timer list while no tick walks it. The hold is bounded and its
// state shared with the callback, so a failing test still gets its worker back.
class HeldWorker {
public:
    explicit HeldWorker(TimerThread& timer)
    {
        timer.startThread({}, {});
        timer.addOneShotTimer(
            [state = state](void*) {
                state->held.release();
                static_cast<void>(state->open.try_acquire_for(60s));
            },
            nullptr);
        EXPECT_TRUE(state->held.try_acquire_for(kPatience));
    }
    // The worker goes on once the timers added until now are all due.
    void Open()
    {
        std::this_thread::sleep_until(Clock::now() + std::chrono::microseconds(TimerThread::kIntervalMicroseconds));
        state->open.release();
    }

private:
    struct State {
        std::binary_semaphore held{0};
        std::binary_semaphore open{0};
    };
    std::shared_ptr<State> state = std::make_shared<State>();
};

// In every test the timer is declared after what its callbacks use, so that it
// stops its worker before those go away, also when an assertion ends the test.

TEST(TimerThreadTest, WithoutAWorkerAdditionsAndStopsAreRefusedAndConsumeNoId)
{
    Firings firings;
    TimerThread timer;
    std::string error;
    EXPECT_FALSE(timer.stopThread(error)) << "never started";
    EXPECT_EQ(error, "no timer thread running");
    EXPECT_EQ(timer.addTimer(firings.Recorder(), nullptr), -1) << "before startThread";
    timer.startThread({}, {});
    EXPECT_EQ(timer.addTimer({}, nullptr), -1) << "empty callable";
    EXPECT_EQ(timer.addTimer(firings.Recorder(), nullptr), 0) << "the first id";
    ASSERT_TRUE(timer.stopThread(error));
    EXPECT_FALSE(timer.stopThread(error)) << "already stopped";
    EXPECT_EQ(timer.addTimer(firings.Recorder(), nullptr), -1) << "after stopThread";
    timer.startThread({}, {});
    EXPECT_EQ(timer.addTimer(firings.Recorder(), nullptr), 1) << "ids go on after a restart";
}

// A second start changes nothing; the hooks run on the one worker, first and
// last, after the timers were dropped; a restarted thread fires none of them.
TEST(TimerThreadTest, HooksRunOnTheWorkerFirstAndLastAndASecondStartChangesNothing)
{
    Firings events;
    size_t eventsBeforeStart = 1;
    size_t eventsBeforeExit = 0;
    bool timersDroppedBeforeExit = false;
    std::atomic<bool> secondHooksRan{false};
    auto capturedByTheTimer = std::make_shared<int>(0);
    std::weak_ptr<int> watch = capturedByTheTimer;
    TimerThread timer;
    std::string error;
    timer.startThread([&] { eventsBeforeStart = events.Count(), events.Record(); },
                      [&] {
                          eventsBeforeExit = events.Count();
                          timersDroppedBeforeExit = watch.expired();
                          events.Record();
                      });
    timer.addTimer([&events, token = std::move(capturedByTheTimer)](void*) { events.Record(); }, nullptr);
    ASSERT_TRUE(events.WaitFor(2));
    timer.startThread([&] { secondHooksRan = true; }, [&] { secondHooksRan = true; });
    ASSERT_TRUE(events.WaitFor(3)) << "the timer keeps firing";
    ASSERT_TRUE(timer.stopThread(error));

    const auto firings = events.Copy();
    EXPECT_EQ(eventsBeforeStart, 0U);
    EXPECT_EQ(eventsBeforeExit + 1, firings.size()) << "nothing ran after the exit hook";
    EXPECT_TRUE(timersDroppedBeforeExit);
    EXPECT_FALSE(secondHooksRan);
    EXPECT_NE(firings.front().thread, std::this_thread::get_id());
    for (const auto& firing : firings) {
        EXPECT_EQ(firing.thread, firings.front().thread) << "one worker";
    }
}

// A million real additions: addTimer is cheap, and the held worker walks no growing list.
// The held timer took id 0.
TEST(TimerThreadTest, IdsRunOutAfter999998Additions)
{
    TimerThread timer;
    HeldWorker hold(timer);
    int32_t firstWrongId = -1;
    for (int32_t expected = 1; expected <= 999997 && firstWrongId < 0; ++expected) {
        if (timer.addTimer([](void*) {}, nullptr) != expected) {
            firstWrongId = expected;
        }
    }
    EXPECT_EQ(firstWrongId, -1);
    EXPECT_EQ(timer.addTimer([](void*) {}, nullptr), -1) << "999998 is never handed out";
    EXPECT_EQ(timer.addTimer([](void*) {}, nullptr), -1) << "nor anything later";
    hold.Open();
}

// Within one tick: a one-shot timer that removes the next one and adds 64 more
// (AddressSanitizer reports it if the due entries behind it moved), then a
// timer that removes itself at its second firing.
TEST(TimerThreadTest, RemovedAndOneShotTimersStopFiringAndAdditionsInATickMoveNoDueEntry)
{
    Firings oneShot, removed, selfRemoving, behind;
    std::atomic<int32_t> removedId{-1}, selfRemovingId{-1};
    std::vector<int32_t> addedIds;
    TimerThread timer;
    HeldWorker hold(timer);
    timer.addOneShotTimer(
        [&](void*) {
            oneShot.Record();
            EXPECT_TRUE(timer.removeTimer(removedId));
            for (int count = 0; count < 64; ++count) {
                addedIds.push_back(timer.addTimer([](void*) {}, nullptr));
            }
        },
        nullptr);
    removedId = timer.addTimer(removed.Recorder(), nullptr);
    selfRemovingId = timer.addTimer(
        [&](void*) {
            selfRemoving.Record();
            if (selfRemoving.Count() == 2) {
                EXPECT_TRUE(timer.removeTimer(selfRemovingId));
            }
        },
        nullptr);
    timer.addTimer(behind.Recorder(), nullptr);
    hold.Open();
    ASSERT_TRUE(behind.WaitFor(6));

    EXPECT_EQ(oneShot.Count(), 1U);
    EXPECT_EQ(removed.Count(), 0U) << "removed earlier in its tick";
    EXPECT_EQ(selfRemoving.Count(), 2U);
    EXPECT_EQ(std::count(addedIds.begin(), addedIds.end(), -1), 0);
    EXPECT_FALSE(timer.removeTimer(selfRemovingId)) << "removing twice";
    EXPECT_FALSE(timer.removeTimer(12345)) << "an unknown id";
}

// The firing under way holds until removeTimer has returned or 300 ms have
// passed: a removeTimer that does not wait returns while it is held.
TEST(TimerThreadTest, RemoveTimerWaitsForAFiringUnderWay)
{
    std::binary_semaphore entered{0}, removed{0};
    std::atomic<int> started{0}, finished{0};
    Firings after;
    TimerThread timer;
    timer.startThread({}, {});
    const int32_t id = timer.addTimer(
        [&](void*) {
            ++started, entered.release();
            static_cast<void>(removed.try_acquire_for(300ms));
            ++finished;
        },
        nullptr);
    ASSERT_TRUE(entered.try_acquire_for(kPatience));
    std::thread remover([&] {
        EXPECT_TRUE(timer.removeTimer(id));
        EXPECT_EQ(finished, 1) << "the firing under way has ended";
        removed.release();
    });
    remover.join();
    timer.addTimer(after.Recorder(), nullptr);
    ASSERT_TRUE(after.WaitFor(2)) << "two ticks after the removal";
    EXPECT_EQ(started, 1) << "and no other started";
}

// The first firing comes a whole interval after an addition made between two
// ticks (half an interval after one), not at the next tick. Then the ticks keep
// the 10 ms grid: a 16 ms callback fires at most every 20 ms, never as soon as
// it returns; only lower bounds, which no load can break (the benchmarks
// measure the rhythm itself).
TEST(TimerThreadTest, TicksKeepTheTenMillisecondGridUnderASlowCallback)
{
    Firings tick, firings;
    TimerThread timer;
    std::string error;
    timer.startThread({}, {});
    const int32_t marker = timer.addOneShotTimer([&tick](void*) { tick.Record(); }, nullptr);
    ASSERT_GE(marker, 0);
    ASSERT_TRUE(tick.WaitFor(1));
    std::this_thread::sleep_until(tick.Copy().front().time + 5ms);
    const Clock::time_point added = Clock::now();
    timer.addTimer(firings.Recorder(16ms), nullptr);
    ASSERT_TRUE(firings.WaitFor(26));
    ASSERT_TRUE(timer.stopThread(error));
    const std::vector<Firings::Firing> times = firings.Copy();
    EXPECT_GE(times.front().time - added, 10ms);
    // 25 intervals on the grid take 500 ms, less the first firing's lateness (at most 4 ms).
    EXPECT_GE(times[25].time - times.front().time, 496ms);
}

}  // namespace
