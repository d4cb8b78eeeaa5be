#include "CommandCaller.h"

#include <cstring>
#include <vector>

#include "HostDesktop.h"

namespace TESSARIL_HOST_APP {
namespace {

uint64_t HandleValue(const void* handle)
{
    return reinterpret_cast<uintptr_t>(handle);
}

std::string IgnoreDetail(const IgnoreWindowCommandStep& step)
{
    std::string detail = "type=" + std::to_string(step.ignoreType);
    if (step.window) {
        detail += " window=" + *step.window;
    }
    if (step.processId != 0) {
        detail += " pid=" + std::to_string(step.processId);
    }
    for (size_t i = 0; i < step.titles.size(); ++i) {
        detail += (i == 0 ? " titles=\"" : ",\"") + step.titles[i] + "\"";
    }
    return detail;
}

}  // namespace

CommandCaller::CommandCaller(const PluginExports& pluginExports, const std::map<std::string, HWND>& windowHandles)
    : exports(pluginExports), windows(windowHandles)
{
}

CommandEntry CommandCaller::Start(const StartCommandStep& step)
{
    TessarilStartHostCommand command{};
    command.text = step.text.c_str();
    command.isScreen = !step.window;
    command.screenId = step.window ? Handle(*step.window) : HandleValue(HostDesktop::PrimaryMonitor());
    const std::string target = step.window ? "window=" + *step.window : "monitor=primary";
    CommandEntry entry = Call(TESSARIL_CMD_START_HOST, command, "start", target + " text=\"" + step.text + "\"");
    started = started || (entry.accepted && entry.result == TESSARIL_RESULT_DONE);
    return entry;
}

CommandEntry CommandCaller::Stop(const std::string& name)
{
    TessarilResultOnlyCommand command{};
    CommandEntry entry = Call(TESSARIL_CMD_STOP_HOST, command, name, "");
    started = started && !entry.accepted;
    return entry;
}

// Type 1 carries the handle as four bytes, type 3 as a number, type 2 names
// windows by process and titles; a type the plugin does not know gets the
// handle as a number, so a session can send it anything.
CommandEntry CommandCaller::Ignore(const IgnoreWindowCommandStep& step)
{
    std::vector<const char*> titles;
    for (const std::string& title : step.titles) {
        titles.push_back(title.c_str());
    }
    const uint32_t handle = step.window ? static_cast<uint32_t>(Handle(*step.window)) : 0;
    uint8_t handleBytes[sizeof handle];
    std::memcpy(handleBytes, &handle, sizeof handle);  // little-endian, as on Windows

    TessarilIgnoreWindowRequest request{};
    request.ignoreType = step.ignoreType;
    if (step.window && step.ignoreType == 1) {
        request.windowBytes = handleBytes;
        request.windowByteCount = sizeof handleBytes;
    } else if (step.window) {
        request.windowHandle = handle;
    }
    request.processId = step.processId;
    request.titles = titles.data();
    request.titleCount = static_cast<uint32_t>(titles.size());
    const uint64_t id = step.add ? TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW : TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW;
    return Call(id, request, step.add ? "add-ignore" : "remove-ignore", IgnoreDetail(step));
}

CommandEntry CommandCaller::ClearIgnore()
{
    TessarilResultOnlyCommand command{};
    return Call(TESSARIL_CMD_CLEAR_HOST_IGNORE_WINDOW, command, "clear-ignore", "");
}

CommandEntry CommandCaller::ResetWindow(const ResetWindowCommandStep& step)
{
    TessarilResetTargetCommand command{};
    command.id = static_cast<int64_t>(Handle(step.window));
    return Call(TESSARIL_CMD_RESET_WINDOW, command, "reset-window", "window=" + step.window);
}

CommandEntry CommandCaller::ResetScreen()
{
    TessarilResetTargetCommand command{};
    command.id = static_cast<int64_t>(HandleValue(HostDesktop::PrimaryMonitor()));
    return Call(TESSARIL_CMD_RESET_SCREEN, command, "reset-screen", "monitor=primary");
}

bool CommandCaller::Started() const
{
    return started;
}

// The payload stays alive until ExportedCallDrop has released the call.
template <typename Payload>
CommandEntry CommandCaller::Call(uint64_t commandId, Payload& payload, std::string name, std::string detail)
{
    payload.result = 0;
    const bool accepted = exports.callEvent(commandId, &payload);
    const int64_t result = payload.result;
    exports.callDrop(commandId);
    return {std::move(name), std::move(detail), accepted, result};
}

uint64_t CommandCaller::Handle(const std::string& window) const
{
    return HandleValue(windows.at(window));
}

}  // namespace TESSARIL_HOST_APP
