#include "plugin/CommandTable.h"

#include <memory>
#include <string>

#include "messaging/RecordCopy.h"
#include "messaging/ResourceCollectionPool.h"
#include "plugin/PluginCommands.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

// Steps 2 to 6 of every handler, around the command itself: the collection
// lives in the pool after the call, the result sign-extended in the payload.
template <class Payload, class Command>
void RunAndKeep(uint64_t commandId, Payload& payload, Command&& command)
{
    auto collection = std::make_shared<__ResourceCollection__>();
    payload.result = static_cast<int64_t>(command());
    __ResourceCollectionPool__::GetInstance()->Store(commandId, std::move(collection));
}

void AddHostIgnoreWindow(uint64_t commandId, void* payload)
{
    auto& request = *static_cast<TessarilIgnoreWindowRequest*>(payload);
    const HostIgnoredWindow window = ToHostIgnoredWindow(request);
    RunAndKeep(commandId, request, [&] { return remoteControlAddHostIgnoreWindow(window); });
}

void RemoveHostIgnoreWindow(uint64_t commandId, void* payload)
{
    auto& request = *static_cast<TessarilIgnoreWindowRequest*>(payload);
    const HostIgnoredWindow window = ToHostIgnoredWindow(request);
    RunAndKeep(commandId, request, [&] { return remoteControlRemoveHostIgnoreWindow(window); });
}

void ClearHostIgnoreWindow(uint64_t commandId, void* payload)
{
    auto& command = *static_cast<TessarilResultOnlyCommand*>(payload);
    RunAndKeep(commandId, command, [] { return remoteControlClearHostIgnoreWindow(); });
}

void StartHost(uint64_t commandId, void* payload)
{
    auto& command = *static_cast<TessarilStartHostCommand*>(payload);
    const std::string text = TESSARIL_SERVER_API::CopyText(command.text);
    const uint64_t screenId = command.screenId;
    const bool isScreen = TESSARIL_SERVER_API::CopyBool(command.isScreen);
    RunAndKeep(commandId, command, [&] { return remoteControlStartHost(text, screenId, isScreen); });
}

void StopHost(uint64_t commandId, void* payload)
{
    auto& command = *static_cast<TessarilResultOnlyCommand*>(payload);
    RunAndKeep(commandId, command, [] { return remoteControlStopHost(); });
}

void ResetScreen(uint64_t commandId, void* payload)
{
    auto& command = *static_cast<TessarilResetTargetCommand*>(payload);
    const auto screenId = static_cast<uint64_t>(command.id);
    RunAndKeep(commandId, command, [&] { return remoteControlResetScreen(screenId); });
}

void ResetWindow(uint64_t commandId, void* payload)
{
    auto& command = *static_cast<TessarilResetTargetCommand*>(payload);
    const auto windowId = static_cast<uint64_t>(command.id);
    RunAndKeep(commandId, command, [&] { return remoteControlResetWindow(windowId); });
}

}  // namespace

bool CommandTable::Run(uint64_t commandId, void* payload)
{
    FillWhenEmpty();
    const auto entry = handlers.find(commandId);
    if (entry == handlers.end()) {
        return false;
    }
    entry->second(commandId, payload);
    return true;
}

void CommandTable::FillWhenEmpty()
{
    if (!handlers.empty()) {
        return;
    }
    handlers.emplace(TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, &AddHostIgnoreWindow);
    handlers.emplace(TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW, &RemoveHostIgnoreWindow);
    handlers.emplace(TESSARIL_CMD_CLEAR_HOST_IGNORE_WINDOW, &ClearHostIgnoreWindow);
    handlers.emplace(TESSARIL_CMD_START_HOST, &StartHost);
    handlers.emplace(TESSARIL_CMD_STOP_HOST, &StopHost);
    handlers.emplace(TESSARIL_CMD_RESET_SCREEN, &ResetScreen);
    handlers.emplace(TESSARIL_CMD_RESET_WINDOW, &ResetWindow);
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
