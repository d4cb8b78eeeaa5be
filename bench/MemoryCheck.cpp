#include "MemoryCheck.h"

#include "BenchEnvironment.h"
#include "ResidentMemory.h"

namespace TESSARIL_BENCH {

namespace {

constexpr int64_t kEventsPerJournal = 1000;
constexpr int64_t kWarmUpShare = 10;

// Pairs of a mouse move and a key press or release.
void SendEvents(BenchEnvironment& environment, int64_t events)
{
    ViewerInput& viewer = environment.StartScreenMode();
    for (int64_t i = 0; i < events; i += 2) {
        const TessarilMouseEventFFI mouse = viewer.Mouse(static_cast<int>(i % ViewerInput::kPositions));
        PluginDriver::Receive(TESSARIL_MSG_MOUSE_EVENT, &mouse);
        const TessarilKeyEvent key = viewer.Key(i % 4 == 0);
        PluginDriver::Receive(TESSARIL_MSG_KEY_EVENT, &key);
        if (i % kEventsPerJournal == 0) {
            BenchDesktop::ForgetJournal();
        }
    }
    BenchDesktop::ForgetJournal();
}

void CycleStartStop(BenchEnvironment& environment, int64_t cycles)
{
    environment.StopRemoteControl();
    PluginDriver& plugin = environment.Plugin();
    for (int64_t i = 0; i < cycles; ++i) {
        plugin.StartScreen(environment.Desktop().Monitor());
        plugin.Stop();
    }
    plugin.DrainEventLoop();
    BenchDesktop::ForgetJournal();
}

}  // namespace

MemoryResult MemoryCheck::Run(BenchEnvironment& environment, int64_t events, int64_t cycles)
{
    SendEvents(environment, events / kWarmUpShare);
    CycleStartStop(environment, cycles / kWarmUpShare);
    MemoryResult result;
    result.events = events;
    result.cycles = cycles;
    result.residentAfterWarmUp = ResidentMemory::Bytes();
    SendEvents(environment, events);
    CycleStartStop(environment, cycles);
    result.residentAtEnd = ResidentMemory::Bytes();
    return result;
}

}  // namespace TESSARIL_BENCH
