#include "HostSession.h"

#include <utility>

namespace TESSARIL_HOST_APP {

HostSession::HostSession(PluginExports exports) : plugin(exports), table(loop.Table())
{
}

HostSession::~HostSession()
{
    Finish();
}

bool HostSession::Init(const InitOptions& options)
{
    initialised = true;
    const TessarilEventLoopTable* eventLoop = options.table != nullptr ? options.table : &table;
    const bool init = plugin.init(&MessageRecorder::Send, &MessageRecorder::Notify, options.pluginHandle,
                                  options.eventLoop ? eventLoop : nullptr, options.logDirectory, options.logName,
                                  options.logValue);
    return plugin.start() && init;
}

// The stop command comes first: ExportedUninit destroys what the cursor
// monitor and a late cursor task would still use.
void HostSession::Finish()
{
    if (!std::exchange(initialised, false)) {
        return;
    }
    if (started) {
        StopHost();
    }
    plugin.stop();
    loop.WaitUntilIdle();
    plugin.uninit();
}

int64_t HostSession::Start(uint64_t target, bool isScreen, const char* text)
{
    TessarilStartHostCommand command = StartCommand(target, isScreen, text);
    const int64_t result = Command(TESSARIL_CMD_START_HOST, command);
    started = started || result == TESSARIL_RESULT_DONE;
    return result;
}

int64_t HostSession::StopHost()
{
    TessarilResultOnlyCommand command{};
    const int64_t result = Command(TESSARIL_CMD_STOP_HOST, command);
    started = started && result != TESSARIL_RESULT_DONE;
    return result;
}

int64_t HostSession::AddIgnore(IgnoreRequest request)
{
    return Command(TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, *request.Payload());
}

int64_t HostSession::RemoveIgnore(IgnoreRequest request)
{
    return Command(TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW, *request.Payload());
}

int64_t HostSession::ClearIgnore()
{
    TessarilResultOnlyCommand command{};
    return Command(TESSARIL_CMD_CLEAR_HOST_IGNORE_WINDOW, command);
}

int64_t HostSession::ResetScreen(int64_t monitor)
{
    TessarilResetTargetCommand command{monitor, -1};
    return Command(TESSARIL_CMD_RESET_SCREEN, command);
}

int64_t HostSession::ResetWindow(int64_t window)
{
    TessarilResetTargetCommand command{window, -1};
    return Command(TESSARIL_CMD_RESET_WINDOW, command);
}

}  // namespace TESSARIL_HOST_APP
