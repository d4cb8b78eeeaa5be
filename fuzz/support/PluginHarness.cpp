#include "PluginHarness.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "coordinates/CoordinateConverterHost.h"
#include "simulated_desktop.h"
#include "tessaril_remotecontrol_host.h"

namespace {

constexpr int64_t kUntouched = 0x5A5A'5A5A'5A5A'5A5A;

std::atomic<int64_t> registerResult{0};
std::atomic<uint64_t> unregisterRequests{0};
volatile size_t readBytes = 0;

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

void CheckSender(const char* sender)
{
    if (sender == nullptr || std::strcmp(sender, TESSARIL_SENDER_TEXT) != 0) {
        Fail("a message without the plugin's sender text");
    }
}

// Reads the text a register request points to, so that AddressSanitizer
// checks it, and answers with the value of the moment. Without an event loop
// no cursor report is ever sent.
bool TESSARIL_CDECL Send(const char* sender, uint64_t messageId, void* payload)
{
    CheckSender(sender);
    if (messageId == TESSARIL_MSG_REGISTER_REQUEST) {
        auto* request = static_cast<TessarilRegisterRequestPayload*>(payload);
        readBytes = std::strlen(request->text);
        request->result = registerResult.load();
    } else if (messageId == TESSARIL_MSG_UNREGISTER_REQUEST) {
        ++unregisterRequests;
    }
    return true;
}

bool TESSARIL_CDECL Notify(const char* sender, uint64_t messageId, void* payload)
{
    CheckSender(sender);
    if (messageId == TESSARIL_MSG_REPORT_NOTIFY) {
        const auto* report = static_cast<TessarilReportPayload*>(payload);
        readBytes = std::strlen(report->key) + std::strlen(report->value);
    }
    return true;
}

bool IsCommand(uint64_t commandId)
{
    switch (commandId) {
    case TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW:
    case TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW:
    case TESSARIL_CMD_CLEAR_HOST_IGNORE_WINDOW:
    case TESSARIL_CMD_START_HOST:
    case TESSARIL_CMD_STOP_HOST:
    case TESSARIL_CMD_RESET_SCREEN:
    case TESSARIL_CMD_RESET_WINDOW:
        return true;
    default:
        return false;
    }
}

void CheckResult(uint64_t commandId, bool ran, int64_t result)
{
    if (ran && result != 0 && result != 5 && result != 6) {
        Fail("command " + std::to_string(commandId) + " wrote result " + std::to_string(result));
    }
    if (!ran && result != kUntouched) {
        Fail("refused command " + std::to_string(commandId) + " wrote its result");
    }
}

uint64_t IdOf(const void* handle)
{
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace

PluginHarness::PluginHarness()
{
    SimulatedDesktop::Reset();
    secondMonitor = SimulatedDesktop::AddMonitor({-1600, 0, 0, 900}, false);
    shared = SimulatedDesktop::CreateTopLevelWindow({.className = "Notepad",
                                                     .title = "notes.txt - Notepad",
                                                     .processId = 4200,
                                                     .threadId = 4204,
                                                     .rect = {100, 100, 900, 700}});
    chat = SimulatedDesktop::CreateTopLevelWindow({.className = "ChatFrame",
                                                   .title = "Team chat",
                                                   .processId = 5100,
                                                   .threadId = 5104,
                                                   .rect = {500, 300, 1100, 800},
                                                   .style = WS_OVERLAPPEDWINDOW,
                                                   .exStyle = WS_EX_TOOLWINDOW});
    prompt = SimulatedDesktop::CreateTopLevelWindow({.className = "HoyaSSPromptWindow",
                                                     .title = "",
                                                     .processId = 4200,
                                                     .threadId = 4204,
                                                     .rect = {50, 50, 400, 300}});
    const HWND elsewhere = SimulatedDesktop::CreateTopLevelWindow({.className = "ChatFrame",
                                                                   .title = "Team chat",
                                                                   .processId = 5100,
                                                                   .threadId = 5104,
                                                                   .rect = {0, 0, 640, 480}});
    SimulatedDesktop::SetOnCurrentVirtualDesktop(elsewhere, false);
    for (HWND window : {shared, chat, prompt, elsewhere}) {
        originalExStyles.emplace_back(window, SimulatedDesktop::ExStyleOf(window));
    }
    ExportedInit(&Send, &Notify, 7, nullptr, "", "", 0);
}

PluginHarness::~PluginHarness()
{
    TessarilResultOnlyCommand stop{};
    Command(TESSARIL_CMD_STOP_HOST, &stop, &stop.result);
    ExportedUninit();
    for (const auto& [window, exStyle] : originalExStyles) {
        if (SimulatedDesktop::ExStyleOf(window) != exStyle) {
            Fail("window " + std::to_string(IdOf(window)) + " left with a changed extended style");
        }
    }
    TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost::DestroyInstance();
}

void PluginHarness::Start(bool screen)
{
    TessarilStartHostCommand start{};
    start.text = "fuzz-viewer";
    start.screenId = screen ? IdOf(SimulatedDesktop::PrimaryMonitor()) : IdOf(shared);
    start.isScreen = screen;
    Command(TESSARIL_CMD_START_HOST, &start, &start.result);
    if (screen) {
        TessarilIgnoreWindowRequest ignore{};
        ignore.ignoreType = 3;
        ignore.windowHandle = static_cast<int64_t>(IdOf(chat));
        Command(TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, &ignore, &ignore.result);
    }
}

void PluginHarness::Command(uint64_t commandId, void* payload, int64_t* result)
{
    if (result != nullptr) {
        *result = kUntouched;
    }
    const uint64_t unregistersBefore = unregisterRequests.load();
    const bool ran = ExportedCallEvent(commandId, payload);
    if (ran != (payload != nullptr && IsCommand(commandId))) {
        Fail("ExportedCallEvent(" + std::to_string(commandId) + ") answered " + std::to_string(ran));
    }
    if (result == nullptr) {
        return;
    }
    CheckResult(commandId, ran, *result);
    const uint64_t unregisters = unregisterRequests.load() - unregistersBefore;
    if (ran && commandId == TESSARIL_CMD_STOP_HOST && unregisters != (*result == 0 ? 2u : 0u)) {
        Fail("a stop with result " + std::to_string(*result) + " sent " + std::to_string(unregisters) +
             " unregister requests");
    }
}

void PluginHarness::Probe()
{
    TessarilMouseEventFFI move{};
    move.x = 400;
    move.y = 300;
    move.vp_width = 800;
    move.vp_height = 600;
    ExportedOnReceive(TESSARIL_MSG_MOUSE_EVENT, &move);
}

uint64_t PluginHarness::Target(uint8_t choice, uint64_t raw) const
{
    const uint64_t targets[] = {IdOf(shared), IdOf(chat), IdOf(prompt), IdOf(SimulatedDesktop::PrimaryMonitor()),
                                IdOf(secondMonitor), 0, UINT64_MAX, raw};
    return targets[choice % std::size(targets)];
}

void PluginHarness::SetRegisterResult(int64_t result)
{
    registerResult = result;
}
