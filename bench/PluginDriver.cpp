#include "PluginDriver.h"

#include <stdexcept>

#include "CountingHostApplication.h"

namespace TESSARIL_BENCH {

namespace {

constexpr char kLogStem[] = "tessaril-remotecontrol-host";
constexpr char kRegistrationText[] = "bench-viewer";
// 0 asks the logger library for its default rotation size.
constexpr int32_t kLogRotationBytes = 0;
constexpr uint32_t kPluginHandle = 7;

// The call's resources are released at once, as a host does after reading the result.
template <class Payload>
int64_t RunCommand(uint64_t commandId, Payload& payload)
{
    payload.result = -1;
    if (!ExportedCallEvent(commandId, &payload)) {
        throw std::runtime_error("ExportedCallEvent refused command " + std::to_string(commandId));
    }
    ExportedCallDrop(commandId);
    return payload.result;
}

void ExpectDone(int64_t result, const char* what)
{
    if (result != TESSARIL_RESULT_DONE) {
        throw std::runtime_error(std::string(what) + " answered " + std::to_string(result));
    }
}

}  // namespace

PluginDriver::PluginDriver(const std::string& logDirectory) : table(loop.Table())
{
    if (!ExportedInit(&CountingHostApplication::Send, &CountingHostApplication::Notify, kPluginHandle, &table,
                      logDirectory.c_str(), kLogStem, kLogRotationBytes) ||
        !ExportedStart()) {
        throw std::runtime_error("the plugin refused ExportedInit or ExportedStart");
    }
}

PluginDriver::~PluginDriver()
{
    if (started) {
        Stop();
    }
    loop.Drain();
    ExportedStop();
    ExportedUninit();
}

void PluginDriver::StartScreen(uint64_t monitor)
{
    Start(monitor, true);
}

void PluginDriver::StartWindow(uint64_t window)
{
    Start(window, false);
}

void PluginDriver::Start(uint64_t target, bool isScreen)
{
    if (started) {
        Stop();
    }
    TessarilStartHostCommand command{kRegistrationText, target, isScreen, -1};
    ExpectDone(RunCommand(TESSARIL_CMD_START_HOST, command), "remoteControlStartHost");
    started = true;
}

void PluginDriver::Stop()
{
    TessarilResultOnlyCommand command{-1};
    ExpectDone(RunCommand(TESSARIL_CMD_STOP_HOST, command), "remoteControlStopHost");
    started = false;
}

void PluginDriver::AddIgnoreWindow(uint64_t window)
{
    TessarilIgnoreWindowRequest request{};
    request.ignoreType = 3;
    request.windowHandle = static_cast<int64_t>(window);
    ExpectDone(RunCommand(TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, request), "remoteControlAddHostIgnoreWindow");
}

void PluginDriver::Receive(uint64_t messageId, const void* payload)
{
    ExportedOnReceive(messageId, payload);
}

void PluginDriver::DrainEventLoop()
{
    loop.Drain();
}

}  // namespace TESSARIL_BENCH
