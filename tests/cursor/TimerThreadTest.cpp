#include "cursor/TimerThread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
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

// Generous: it only bounds how long a broken scheduler can hang a test.
constexpr auto kPatience = 3s;
// Longer than a million additions take under emulation, shorter than the
// test's timeout.
constexpr auto kHoldLimit = 60s;

// The firings of one timer, with the time and the thread of each.
class Firings {
public:
    TimerThread::Callback Recorder(std::chrono::milliseconds cost = 0ms)
    {
        return [this, cost](void*) {
            Record();
            std::this_thread::sleep_for(cost);
        };
    }

    void Record()
    {
        std::lock_guard lock(mutex);
        times.push_back(Clock::now());
        threads.push_back(std::this_thread::get_id());
        changed.notify_all();
    }

    bool WaitFor(size_t count)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, kPatience, [&] { return times.size() >= count; });
    }

    size_t Count()
    {
        std::lock_guard lock(mutex);
        return times.size();
    }

    std::vector<Clock::time_point> Times()
    {
        std::lock_guard lock(mutex);
        return times;
    }

    std::vector<std::thread::id> Threads()
    {
        std::lock_guard lock(mutex);
        return threads;
    }

private:
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Clock::time_point> times;
    std::vector<std::thread::id> threads;
};

// Keeps the worker inside its first firing until Open, so that a test can
// change the timer list while no tick walks it. The hold is bounded so that a
// failing test still gets its worker back when the timer is destroyed.
class WorkerHold {
public:
    TimerThread::Callback Callback()
    {
        return [this](void*) {
            if (!used.exchange(true)) {
                held.release();
                static_cast<void>(open.try_acquire_for(kHoldLimit));
            }
        };
    }

    bool WaitHeld() { return held.try_acquire_for(kPatience); }
    void Open() { open.release(); }

private:
    std::atomic<bool> used{false};
    std::binary_semaphore held{0};
    std::binary_semaphore open{0};
};

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

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
    error.clear();
    EXPECT_FALSE(timer.stopThread(error)) << "already stopped";
    EXPECT_EQ(error, "no timer thread running");
    EXPECT_EQ(timer.addTimer(firings.Recorder(), nullptr), -1) << "after stopThread";
    timer.startThread({}, {});
    EXPECT_EQ(timer.addTimer(firings.Recorder(), nullptr), 1) << "ids go on after a restart";
}

// Additions 2 ms apart fall at different points of the tick, so that a timer
// fired at a tick that comes too soon after its addition shows.
TEST(TimerThreadTest, FirstFiringComesAtLeastOneIntervalAfterTheAddition)
{
    std::array<Firings, 5> firings;
    std::array<Clock::time_point, 5> added;
    TimerThread timer;
    timer.startThread({}, {});
    for (size_t i = 0; i < firings.size(); ++i) {
        added[i] = Clock::now();
        timer.addTimer(firings[i].Recorder(), nullptr);
        std::this_thread::sleep_for(2ms);
    }
    for (size_t i = 0; i < firings.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(firings[i].WaitFor(1));
        EXPECT_GE(firings[i].Times().front() - added[i], 10ms);
    }
}

TEST(TimerThreadTest, StartOnARunningThreadChangesNothing)
{
    Firings firings;
    int firstStarts = 0;
    int firstExits = 0;
    std::atomic<bool> secondHooksRan{false};
    TimerThread timer;
    std::string error;
    timer.startThread([&] { ++firstStarts; }, [&] { ++firstExits; });
    timer.addTimer(firings.Recorder(), nullptr);
    ASSERT_TRUE(firings.WaitFor(1));

    timer.startThread([&] { secondHooksRan = true; }, [&] { secondHooksRan = true; });
    ASSERT_TRUE(firings.WaitFor(3)) << "the timer keeps firing";
    ASSERT_TRUE(timer.stopThread(error));

    EXPECT_EQ(firstStarts, 1);
    EXPECT_EQ(firstExits, 1);
    EXPECT_FALSE(secondHooksRan);
    const auto threads = firings.Threads();
    EXPECT_EQ(std::count(threads.begin(), threads.end(), threads.front()), std::ssize(threads)) << "one worker";
}

// Two timers: the one worker runs every callback, so none overlaps another; a
// stop drops the timers, so a restarted thread fires none of them.
TEST(TimerThreadTest, HooksRunOnTheWorkerFirstAndLast)
{
    Firings events;  // the start hook, the firings and the exit hook, in order
    size_t eventsBeforeStart = 1;
    size_t eventsBeforeExit = 0;
    bool timersDroppedBeforeExit = false;
    auto capturedByTheTimer = std::make_shared<int>(0);
    std::weak_ptr<int> watch = capturedByTheTimer;
    TimerThread timer;
    std::string error;

    timer.startThread(
        [&] {
            eventsBeforeStart = events.Count();
            events.Record();
        },
        [&] {
            eventsBeforeExit = events.Count();
            timersDroppedBeforeExit = watch.expired();
            events.Record();
        });
    timer.addTimer([&events, token = std::move(capturedByTheTimer)](void*) { events.Record(); }, nullptr);
    timer.addTimer([&events](void*) { events.Record(); }, nullptr);
    ASSERT_TRUE(events.WaitFor(5));
    ASSERT_TRUE(timer.stopThread(error));

    const auto threads = events.Threads();
    EXPECT_EQ(eventsBeforeStart, 0U);
    EXPECT_EQ(eventsBeforeExit + 1, threads.size()) << "nothing ran after the exit hook";
    EXPECT_TRUE(timersDroppedBeforeExit);
    EXPECT_NE(threads.front(), std::this_thread::get_id());
    EXPECT_EQ(std::count(threads.begin(), threads.end(), threads.front()), std::ssize(threads));
}

// A million real additions: addTimer is cheap, and the worker is held in a
// callback meanwhile so that no tick walks the growing list.
TEST(TimerThreadTest, IdsRunOutAfter999998Additions)
{
    WorkerHold hold;
    TimerThread timer;
    std::string error;
    timer.startThread({}, {});
    ASSERT_EQ(timer.addTimer(hold.Callback(), nullptr), 0);
    ASSERT_TRUE(hold.WaitHeld());

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
    EXPECT_TRUE(timer.stopThread(error));
}

// The first timer's additions grow the list while the tick still has to call
// the two behind it; AddressSanitizer reports it if they moved.
TEST(TimerThreadTest, AddTimerFromInsideACallbackMovesNoDueEntry)
{
    WorkerHold hold;
    Firings behind;
    std::vector<int32_t> addedIds;
    TimerThread timer;
    std::string error;
    timer.startThread({}, {});
    timer.addTimer(hold.Callback(), nullptr);
    ASSERT_TRUE(hold.WaitHeld());
    timer.addOneShotTimer(
        [&](void*) {
            for (int count = 0; count < 64; ++count) {
                addedIds.push_back(timer.addTimer([](void*) {}, nullptr));
            }
        },
        nullptr);
    timer.addTimer(behind.Recorder(), nullptr);
    timer.addTimer(behind.Recorder(), nullptr);
    std::this_thread::sleep_for(12ms);  // all three are due at the next tick
    hold.Open();

    ASSERT_TRUE(behind.WaitFor(2));
    ASSERT_TRUE(timer.stopThread(error));
    EXPECT_EQ(addedIds.size(), 64U);
    EXPECT_EQ(std::count(addedIds.begin(), addedIds.end(), -1), 0);
}

TEST(TimerThreadTest, RemovedAndOneShotTimersStopFiring)
{
    Firings oneShot;
    Firings selfRemoving;
    std::atomic<int32_t> selfRemovingId{-1};
    TimerThread timer;
    timer.startThread({}, {});
    timer.addOneShotTimer(oneShot.Recorder(), nullptr);
    selfRemovingId = timer.addTimer(
        [&](void*) {
            selfRemoving.Record();
            if (selfRemoving.Count() == 2) {
                EXPECT_TRUE(timer.removeTimer(selfRemovingId));
            }
        },
        nullptr);
    ASSERT_TRUE(oneShot.WaitFor(1));
    ASSERT_TRUE(selfRemoving.WaitFor(2));
    std::this_thread::sleep_for(50ms);

    EXPECT_EQ(oneShot.Count(), 1U) << "a one-shot timer fires once";
    EXPECT_EQ(selfRemoving.Count(), 2U) << "a timer removed by its own callback";
    EXPECT_FALSE(timer.removeTimer(selfRemovingId)) << "removing twice";
    EXPECT_FALSE(timer.removeTimer(12345)) << "an unknown id";
}

TEST(TimerThreadTest, TimerRemovedEarlierInTheSameTickDoesNotFire)
{
    WorkerHold hold;
    Firings removed;
    std::atomic<int32_t> removedId{-1};
    TimerThread timer;
    timer.startThread({}, {});
    timer.addTimer(hold.Callback(), nullptr);
    ASSERT_TRUE(hold.WaitHeld());
    timer.addOneShotTimer([&](void*) { timer.removeTimer(removedId); }, nullptr);
    removedId = timer.addTimer(removed.Recorder(), nullptr);
    std::this_thread::sleep_for(12ms);  // both are due at the next tick
    hold.Open();

    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(removed.Count(), 0U);
}

TEST(TimerThreadTest, RemoveTimerWaitsForAFiringUnderWay)
{
    std::counting_semaphore<> entered{0};
    std::atomic<int> started{0};
    std::atomic<int> finished{0};
    TimerThread timer;
    timer.startThread({}, {});
    const int32_t id = timer.addTimer(
        [&](void*) {
            ++started;
            entered.release();
            std::this_thread::sleep_for(20ms);
            ++finished;
        },
        nullptr);
    ASSERT_TRUE(entered.try_acquire_for(kPatience));

    ASSERT_TRUE(timer.removeTimer(id));
    const int finishedAtReturn = finished;
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(finishedAtReturn, started) << "the firing under way has ended";
    EXPECT_EQ(finished, finishedAtReturn) << "and no other started";
}

// Tolerances are for a loaded two-core machine and for emulation: a median
// ignores the occasional late wakeup, and a scheduler that drifts by the
// callback's cost lands a full 3 ms above the expected interval.
TEST(TimerThreadTest, TicksKeepTheirRhythmUnderSlowCallbacks)
{
    struct Case {
        const char* label;
        std::chrono::milliseconds cost;
        double intervalMs;  // the next point of the 10 ms grid after the tick
    };
    const Case cases[] = {{"3 ms callback", 3ms, 10.0}, {"13 ms callback", 13ms, 20.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Firings firings;
        TimerThread timer;
        std::string error;
        timer.startThread({}, {});
        timer.addTimer(firings.Recorder(c.cost), nullptr);
        ASSERT_TRUE(firings.WaitFor(static_cast<size_t>(500 / c.intervalMs) + 1));
        ASSERT_TRUE(timer.stopThread(error));

        const auto times = firings.Times();
        std::vector<double> intervals;
        for (size_t i = 1; i < times.size(); ++i) {
            intervals.push_back(Milliseconds(times[i] - times[i - 1]));
        }
        EXPECT_GE(Median(intervals), c.intervalMs - 0.5);
        EXPECT_LE(Median(intervals), c.intervalMs + 2.5);
    }
}

TEST(TimerThreadTest, StopWakesTheWorkerAtOnce)
{
    struct Case {
        const char* label;
        std::chrono::milliseconds cost;   // of the callback
        std::chrono::milliseconds pause;  // between its start and the stop
    };
    const Case cases[] = {{"stop while the worker waits", 0ms, 1ms},
                          {"stop while a callback runs", 3ms, 0ms}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<double> stopTimes;
        for (int round = 0; round < 5; ++round) {
            Firings firings;
            TimerThread timer;
            std::string error;
            timer.startThread({}, {});
            timer.addTimer(firings.Recorder(c.cost), nullptr);
            ASSERT_TRUE(firings.WaitFor(1));
            std::this_thread::sleep_for(c.pause);
            const auto before = Clock::now();
            ASSERT_TRUE(timer.stopThread(error));
            stopTimes.push_back(Milliseconds(Clock::now() - before));
        }
        // A stop that waited out the tick would take 7 to 9 ms here.
        EXPECT_LT(Median(stopTimes), 6.0);
    }
}

}  // namespace
