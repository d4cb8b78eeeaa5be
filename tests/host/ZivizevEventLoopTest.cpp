#include "host/ZivizevEventLoop.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "EventLoop.h"

namespace {

using ::testing::ElementsAre;
using TESSARIL_REMOTECONTROL_HOST::ZivizevEventLoop;
using PostMode = TESSARIL_HOST_APP::EventLoop::PostMode;

ZivizevEventLoop& EventLoop()
{
    return *ZivizevEventLoop::GetInstance();
}

// Counts its runs and notes its thread; the use count of `runs` tells how many
// copies of the task exist.
struct ObservedTask {
    std::shared_ptr<std::atomic<int>> runs = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::thread::id> ranOn = std::make_shared<std::thread::id>();

    ZivizevEventLoop::Task Task() const
    {
        return [runs = runs, ranOn = ranOn] {
            ++*runs;
            *ranOn = std::this_thread::get_id();
        };
    }
    long Copies() const { return runs.use_count() - 1; }
};

class ZivizevEventLoopTest : public ::testing::Test {
protected:
    void SetUp() override { loop.emplace(); }

    // The host's loop goes first: callbacks it still runs use the singleton.
    void TearDown() override
    {
        loop.reset();
        ZivizevEventLoop::DestroyInstance();
    }

    std::optional<TESSARIL_HOST_APP::EventLoop> loop;
};

TEST_F(ZivizevEventLoopTest, NullEntriesSkipTheirStepOnly)
{
    struct Row {
        const char* label;
        std::function<void(TessarilEventLoopTable&)> clear;
        std::vector<std::string> journal;
    };
    const Row rows[] = {
        {"entry 1", [](auto& table) { table.registerListener = nullptr; }, {"unregisterListener 0"}},
        {"entries 2 and 4", [](auto& table) { table.unregisterListener = table.cancelTask = nullptr; },
         {"registerListener"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        loop.emplace();
        TessarilEventLoopTable table = loop->Table();
        row.clear(table);
        EventLoop().Init(table);
        EventLoop().Uninit();
        EXPECT_EQ(loop->Journal(), row.journal);
        ZivizevEventLoop::DestroyInstance();
    }
}

// Also when the host runs the task before PostTask could record it.
TEST_F(ZivizevEventLoopTest, PostedTaskRunsOnceOnTheHostsThreadAndLeavesNothingBehind)
{
    struct Row {
        const char* label;
        PostMode mode;
        bool onLoopThread;
    };
    const Row rows[] = {{"queued", PostMode::Queue, true},
                        {"inside postTask", PostMode::RunInsidePost, false},
                        {"on the loop before postTask returns", PostMode::RunOnLoopBeforeReturn, true}};
    EventLoop().Init(loop->Table());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        loop->SetPostMode(row.mode);
        ObservedTask task;
        EventLoop().PostTask(task.Task());
        loop->WaitUntilIdle();
        EXPECT_EQ(*task.runs, 1);
        EXPECT_EQ(*task.ranOn, row.onLoopThread ? loop->LoopThreadId() : std::this_thread::get_id());
        EXPECT_EQ(task.Copies(), 0);
        EXPECT_EQ(EventLoop().PendingPostedTaskCount(), 0u);
    }
    EXPECT_THAT(loop->Journal(), ElementsAre("registerListener", "postTask 1", "run 1", "postTask 2", "run 2",
                                             "postTask 3", "run 3"));
}

// Neither Uninit nor the destructor takes back a task the host still holds.
TEST_F(ZivizevEventLoopTest, TeardownLeavesPostedTasksWithTheHost)
{
    for (const bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "destroyed" : "uninit");
        loop.emplace();
        EventLoop().Init(loop->Table());
        loop->Pause();
        ObservedTask task;
        EventLoop().PostTask(task.Task());
        EventLoop().Uninit();
        if (destroy) {
            ZivizevEventLoop::DestroyInstance();
        }
        EXPECT_EQ(task.Copies(), 1);
        loop->Resume();
        loop->WaitUntilIdle();
        EXPECT_EQ(*task.runs, 1);
        EXPECT_EQ(task.Copies(), 0);
        EXPECT_THAT(loop->Journal(),
                    ElementsAre("registerListener", "postTask 1", "unregisterListener 4294967303", "run 1"));
        EXPECT_EQ(EventLoop().PendingPostedTaskCount(), 0u);
    }
}

TEST_F(ZivizevEventLoopTest, RepeatedIdReplacesTheEarlierRecord)
{
    EventLoop().Init(loop->Table());
    loop->Pause();
    for (int i = 0; i < 2; ++i) {
        loop->SetNextPostId(9);
        EXPECT_EQ(EventLoop().PostTask([] {}), 9u);
    }
    EXPECT_EQ(EventLoop().PendingPostedTaskCount(), 1u);
    loop->Resume();
    loop->WaitUntilIdle();
    EXPECT_THAT(loop->Journal(), ElementsAre("registerListener", "postTask 9", "postTask 9", "run 9", "run 9"));
    EXPECT_EQ(EventLoop().PendingPostedTaskCount(), 0u);
}

// The cursor path: one thread posts while the loop thread runs and forgets.
TEST_F(ZivizevEventLoopTest, TasksPostedFromAnotherThreadRunInOrderAndLeaveNoRecord)
{
    constexpr int kTasks = 300;
    EventLoop().Init(loop->Table());
    std::vector<int> order;
    std::vector<int> expected;
    std::thread poster([&] {
        for (int i = 0; i < kTasks; ++i) {
            loop->SetPostMode(i % 3 == 0 ? PostMode::RunOnLoopBeforeReturn : PostMode::Queue);
            EventLoop().PostTask([&order, i] { order.push_back(i); });
            expected.push_back(i);
        }
    });
    poster.join();
    loop->WaitUntilIdle();
    EXPECT_EQ(order, expected);
    EXPECT_EQ(EventLoop().PendingPostedTaskCount(), 0u);
}

}  // namespace
