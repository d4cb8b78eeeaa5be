#include "CheckedSession.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "coordinates/CoordinateConverterHost.h"
#include "simulated_desktop.h"

namespace {

using TESSARIL_HOST_APP::HostSession;
using TESSARIL_HOST_APP::OutgoingMessage;

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

bool IsCommand(uint64_t commandId)
{
    constexpr uint64_t kCommands[] = {
        TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW, TESSARIL_CMD_CLEAR_HOST_IGNORE_WINDOW,
        TESSARIL_CMD_START_HOST, TESSARIL_CMD_STOP_HOST, TESSARIL_CMD_RESET_SCREEN, TESSARIL_CMD_RESET_WINDOW};
    return std::ranges::find(kCommands, commandId) != std::end(kCommands);
}

uint64_t IdOf(const void* handle)
{
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
}

HWND CreateWindow(const char* className, const char* title, uint32_t processId, RECT rect, LONG exStyle = 0)
{
    return SimulatedDesktop::CreateTopLevelWindow({.className = className, .title = title, .processId = processId,
                                                   .threadId = processId + 4, .rect = rect,
                                                   .style = WS_OVERLAPPEDWINDOW, .exStyle = exStyle});
}

}  // namespace

HostSession CheckedSession::host(TESSARIL_HOST_APP::LinkedPlugin());

CheckedSession::CheckedSession()
{
    SimulatedDesktop::Reset();
    secondMonitor = SimulatedDesktop::AddMonitor({-1600, 0, 0, 900}, false);
    shared = CreateWindow("Notepad", "notes.txt - Notepad", 4200, {100, 100, 900, 700});
    chat = CreateWindow("ChatFrame", "Team chat", 5100, {500, 300, 1100, 800}, WS_EX_TOOLWINDOW);
    prompt = CreateWindow("HoyaSSPromptWindow", "", 4200, {50, 50, 400, 300});
    const HWND elsewhere = CreateWindow("ChatFrame", "Team chat", 5100, {0, 0, 640, 480});
    SimulatedDesktop::SetOnCurrentVirtualDesktop(elsewhere, false);
    for (HWND window : {shared, chat, prompt, elsewhere}) {
        originalExStyles.emplace_back(window, SimulatedDesktop::ExStyleOf(window));
    }
    host.recorder.Clear();
    host.Init({.eventLoop = false, .logName = ""});
}

CheckedSession::~CheckedSession()
{
    TessarilResultOnlyCommand stop{};
    Command(TESSARIL_CMD_STOP_HOST, stop);
    host.Finish();
    for (const auto& [window, exStyle] : originalExStyles) {
        if (SimulatedDesktop::ExStyleOf(window) != exStyle) {
            Fail("window " + std::to_string(IdOf(window)) + " left with a changed extended style");
        }
    }
    for (const OutgoingMessage& message : host.recorder.Messages()) {
        if (!message.pluginSender) {
            Fail("\"" + message.Line() + "\" came without the plugin's sender text");
        }
    }
    // The plugin keeps the converter for the process; the next input starts afresh.
    TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost::DestroyInstance();
}

void CheckedSession::Start(bool screen)
{
    TessarilStartHostCommand start =
        TESSARIL_HOST_APP::StartCommand(screen ? IdOf(SimulatedDesktop::PrimaryMonitor()) : IdOf(shared), screen,
                                        "fuzz-viewer");
    Command(TESSARIL_CMD_START_HOST, start);
    if (screen) {
        auto ignore = TESSARIL_HOST_APP::IgnoreRequest::ByHandle(static_cast<int64_t>(IdOf(chat)));
        Command(TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, *ignore.Payload());
    }
}

void CheckedSession::NullCommand(uint64_t commandId)
{
    if (host.plugin.callEvent(commandId, nullptr)) {
        Fail("ExportedCallEvent(" + std::to_string(commandId) + ", null) ran");
    }
}

void CheckedSession::Probe()
{
    host.Mouse(TESSARIL_HOST_APP::MouseEvent(400, 300, 800, 600));
}

uint64_t CheckedSession::Target(uint8_t choice, uint64_t raw) const
{
    const uint64_t targets[] = {IdOf(shared), IdOf(chat), IdOf(prompt), IdOf(SimulatedDesktop::PrimaryMonitor()),
                                IdOf(secondMonitor), 0, UINT64_MAX, raw};
    return targets[choice % std::size(targets)];
}

// `returned` is the harness's kRefused when ExportedCallEvent did not run the
// command; the harness set the result field to -1 before the call.
void CheckedSession::Check(uint64_t commandId, int64_t returned, int64_t written, size_t unregistersBefore) const
{
    const bool ran = returned != HostSession::kRefused;
    const std::string command = "command " + std::to_string(commandId);
    if (ran != IsCommand(commandId)) {
        Fail(command + (ran ? " ran" : " was refused"));
    }
    if (ran ? written != 0 && written != 5 && written != 6 : written != -1) {
        Fail(command + " wrote result " + std::to_string(written));
    }
    const size_t unregisters = host.recorder.Count(OutgoingMessage::Kind::Unregister) - unregistersBefore;
    if (ran && commandId == TESSARIL_CMD_STOP_HOST && unregisters != (written == 0 ? 2u : 0u)) {
        Fail("a stop with result " + std::to_string(written) + " sent " + std::to_string(unregisters) +
             " unregister requests");
    }
}
