#include "InputBenchmarks.h"

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "BareTicker.h"
#include "BenchEnvironment.h"
#include "FloorReplay.h"
#include "TimedLoop.h"

namespace TESSARIL_BENCH {

namespace {

constexpr size_t kArrayLength = 100;

// The viewer's events are built before the timing; the host only renumbers
// them, as sequence numbers must grow.
std::array<TessarilMouseEventFFI, ViewerInput::kPositions> MouseEvents(ViewerInput& viewer)
{
    std::array<TessarilMouseEventFFI, ViewerInput::kPositions> events{};
    for (int i = 0; i < ViewerInput::kPositions; ++i) {
        events[i] = viewer.Mouse(i);
    }
    return events;
}

// Shared by every benchmark: Google Benchmark calls a benchmark several times
// while remote control keeps running, and the plugin drops a mouse event whose
// sequence number does not exceed the last one it accepted.
int64_t nextSeq = 1;

void SendMouse(TessarilMouseEventFFI& event)
{
    event.seq = nextSeq++;
    PluginDriver::Receive(TESSARIL_MSG_MOUSE_EVENT, &event);
}

void MousePlugin(benchmark::State& state, ViewerInput& viewer)
{
    auto events = MouseEvents(viewer);
    TimedLoop(state, [&](int64_t i) { SendMouse(events[i % ViewerInput::kPositions]); });
}

// The records the plugin makes for the same events, captured from the journal.
void MouseFloor(benchmark::State& state, ViewerInput& viewer, std::vector<HWND> styled)
{
    auto events = MouseEvents(viewer);
    BenchDesktop::ForgetJournal();
    for (auto& event : events) {
        SendMouse(event);
    }
    FloorReplay floor = FloorReplay::FromJournal(std::move(styled));
    BenchDesktop::ForgetJournal();
    TimedLoop(state, [&](int64_t i) { floor.Replay(static_cast<size_t>(i)); });
}

std::array<TessarilKeyEvent, 2> PressAndRelease(ViewerInput& viewer)
{
    return {viewer.Key(true), viewer.Key(false)};
}

void SendKey(TessarilKeyEvent& event)
{
    event.seq = nextSeq++;
    PluginDriver::Receive(TESSARIL_MSG_KEY_EVENT, &event);
}

void KeyPlugin(benchmark::State& state, ViewerInput& viewer)
{
    auto keys = PressAndRelease(viewer);
    TimedLoop(state, [&](int64_t i) { SendKey(keys[i % 2]); });
}

void KeyFloor(benchmark::State& state, ViewerInput& viewer)
{
    auto keys = PressAndRelease(viewer);
    BenchDesktop::ForgetJournal();
    SendKey(keys[0]);
    SendKey(keys[1]);
    FloorReplay floor = FloorReplay::FromJournal({});
    BenchDesktop::ForgetJournal();
    TimedLoop(state, [&](int64_t i) { floor.Replay(static_cast<size_t>(i)); });
}

struct MouseArray {
    std::vector<TessarilMouseEventFFI> events;
    TessarilMouseEventArrayPayload payload{};

    explicit MouseArray(ViewerInput& viewer) : events(kArrayLength)
    {
        viewer.FillArray(events, 0);
        payload.events = events.data();
        payload.count = static_cast<uint32_t>(events.size());
        payload.timeDuration = 30;
    }

    void Send()
    {
        for (auto& event : events) {
            event.seq = nextSeq++;
        }
        PluginDriver::Receive(TESSARIL_MSG_MOUSE_EVENT_ARRAY, &payload);
    }
};

void ArrayPlugin(benchmark::State& state, ViewerInput& viewer)
{
    MouseArray array(viewer);
    TimedLoop(state, [&](int64_t) { array.Send(); });
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kArrayLength));
}

void ArrayFloor(benchmark::State& state, ViewerInput& viewer)
{
    MouseArray array(viewer);
    BenchDesktop::ForgetJournal();
    array.Send();
    FloorReplay floor = FloorReplay::FromJournal({});
    BenchDesktop::ForgetJournal();
    TimedLoop(state, [&](int64_t) {
        for (size_t call = 0; call < floor.Calls(); ++call) {
            floor.Replay(call);
        }
    });
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kArrayLength));
}

void CursorTickCalls(benchmark::State& state, HMONITOR monitor)
{
    TimedLoop(state, [monitor](int64_t) { BareTicker::ReadCursorAndMonitor(monitor); });
}

}  // namespace

void RegisterInputBenchmarks(BenchEnvironment& environment)
{
    BenchEnvironment* env = &environment;
    benchmark::RegisterBenchmark("mouse_screen", [env](benchmark::State& state) {
        MousePlugin(state, env->StartScreenMode());
    });
    benchmark::RegisterBenchmark("mouse_screen.floor", [env](benchmark::State& state) {
        MouseFloor(state, env->StartScreenMode(), {});
    });
    benchmark::RegisterBenchmark("mouse_window", [env](benchmark::State& state) {
        MousePlugin(state, env->StartWindowMode());
    });
    benchmark::RegisterBenchmark("mouse_window.floor", [env](benchmark::State& state) {
        MouseFloor(state, env->StartWindowMode(), env->Desktop().CoveringWindows());
    });
    benchmark::RegisterBenchmark("key", [env](benchmark::State& state) { KeyPlugin(state, env->StartScreenMode()); });
    benchmark::RegisterBenchmark("key.floor", [env](benchmark::State& state) {
        KeyFloor(state, env->StartScreenMode());
    });
    benchmark::RegisterBenchmark("mouse_array_100", [env](benchmark::State& state) {
        ArrayPlugin(state, env->StartScreenMode());
    });
    benchmark::RegisterBenchmark("mouse_array_100.floor", [env](benchmark::State& state) {
        ArrayFloor(state, env->StartScreenMode());
    });
    benchmark::RegisterBenchmark("cursor_tick_calls.floor", [env](benchmark::State& state) {
        CursorTickCalls(state, reinterpret_cast<HMONITOR>(env->Desktop().Monitor()));
    });
}

}  // namespace TESSARIL_BENCH
