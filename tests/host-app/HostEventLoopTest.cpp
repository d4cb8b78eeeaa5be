#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "HostEventLoop.h"

namespace {

using TESSARIL_HOST_APP::HostEventLoop;

// What the posted callbacks did, in the order they ran.
struct Ran {
    std::mutex mutex;
    std::vector<std::string> names;
};

struct Task {
    Ran* ran;
    std::string name;
};

void TESSARIL_CDECL RecordTask(void* context)
{
    auto* task = static_cast<Task*>(context);
    const std::lock_guard lock(task->ran->mutex);
    task->ran->names.push_back(task->name);
}

void TESSARIL_CDECL WaitForRelease(void* context)
{
    static_cast<std::shared_future<void>*>(context)->wait();
}

TEST(HostEventLoopTest, CancelledTaskNeverRuns)
{
    HostEventLoop loop;
    const TessarilEventLoopTable table = loop.Table();
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    Ran ran;
    Task cancelled{&ran, "cancelled"};
    Task kept{&ran, "kept"};
    table.postTask(&WaitForRelease, &released);  // holds the loop while the others queue
    const uint64_t id = table.postTask(&RecordTask, &cancelled);
    table.postTask(&RecordTask, &kept);
    table.cancelTask(id);
    release.set_value();
    loop.Drain();
    EXPECT_THAT(ran.names, testing::ElementsAre("kept"));
}

// The table's entries have no context: one loop at a time, and none after it.
TEST(HostEventLoopTest, OneLoopAtATimeAndNoTasksAfterIt)
{
    TessarilEventLoopTable table{};
    {
        HostEventLoop loop;
        table = loop.Table();
        EXPECT_THROW(HostEventLoop(), std::logic_error);
    }
    Ran ran;
    Task late{&ran, "late"};
    EXPECT_EQ(table.postTask(&RecordTask, &late), 0u);
    EXPECT_TRUE(ran.names.empty());
}

}  // namespace
