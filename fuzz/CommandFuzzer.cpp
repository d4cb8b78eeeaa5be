// Plugin commands through ExportedCallEvent in any order: start, stop, the
// ignore-window commands, clear, the two resets, unknown ids and null
// payloads, with drops in between. Texts are NUL-terminated inside the
// fuzzer's bytes, byte and title lists lie inside them, and the bool of the
// start command is whatever byte the host application wrote. After each
// command one mouse move lets the ignore windows of the moment take effect.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "FuzzArena.h"
#include "PluginHarness.h"
#include "tessaril_remotecontrol_host.h"

namespace {

constexpr int kMostCommands = 24;
constexpr uint32_t kMostTitles = 4;

constexpr uint64_t kIds[] = {TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW,
                             TESSARIL_CMD_CLEAR_HOST_IGNORE_WINDOW, TESSARIL_CMD_START_HOST,
                             TESSARIL_CMD_STOP_HOST, TESSARIL_CMD_RESET_SCREEN, TESSARIL_CMD_RESET_WINDOW,
                             TESSARIL_MSG_KEY_EVENT, 0, UINT64_MAX};

// The processes of the desktop's windows, and any other.
uint32_t ProcessId(FuzzedDataProvider& input)
{
    const uint32_t known[] = {4200, 5100, input.ConsumeIntegral<uint32_t>()};
    return input.PickValueInArray(known);
}

struct IgnoreRequest {
    TessarilIgnoreWindowRequest payload{};
    std::vector<const char*> titles;
};

void FillIgnoreRequest(FuzzedDataProvider& input, const FuzzArena& arena, const PluginHarness& plugin,
                       IgnoreRequest& request)
{
    TessarilIgnoreWindowRequest& payload = request.payload;
    payload.ignoreType = input.ConsumeBool() ? input.ConsumeIntegralInRange<int32_t>(0, 4)
                                             : input.ConsumeIntegral<int32_t>();
    const auto bytes =
        arena.List<uint8_t>(input.ConsumeIntegral<uint16_t>(), input.ConsumeIntegralInRange<uint32_t>(0, 9));
    payload.windowBytes = bytes.data();
    payload.windowByteCount = static_cast<uint32_t>(bytes.size());
    payload.processId = ProcessId(input);
    payload.reserved = input.ConsumeIntegral<uint32_t>();
    request.titles.resize(input.ConsumeIntegralInRange<uint32_t>(0, kMostTitles));
    for (const char*& title : request.titles) {
        title = arena.Text(input.ConsumeIntegral<uint16_t>());
    }
    payload.titles = request.titles.data();
    payload.titleCount = static_cast<uint32_t>(request.titles.size());
    payload.windowHandle = static_cast<int64_t>(plugin.Target(input.ConsumeIntegral<uint8_t>(),
                                                              input.ConsumeIntegral<uint64_t>()));
}

void RunCommand(FuzzedDataProvider& input, const FuzzArena& arena, PluginHarness& plugin, uint64_t id)
{
    switch (id) {
    case TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW:
    case TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW: {
        IgnoreRequest request;
        FillIgnoreRequest(input, arena, plugin, request);
        plugin.Command(id, &request.payload, &request.payload.result);
        return;
    }
    case TESSARIL_CMD_START_HOST: {
        TessarilStartHostCommand start{};
        start.text = arena.Text(input.ConsumeIntegral<uint16_t>());
        start.screenId = plugin.Target(input.ConsumeIntegral<uint8_t>(), input.ConsumeIntegral<uint64_t>());
        const auto isScreen = input.ConsumeIntegral<uint8_t>();
        std::memcpy(&start.isScreen, &isScreen, 1);
        plugin.Command(id, &start, &start.result);
        return;
    }
    case TESSARIL_CMD_RESET_SCREEN:
    case TESSARIL_CMD_RESET_WINDOW: {
        TessarilResetTargetCommand reset{};
        const uint64_t target = plugin.Target(input.ConsumeIntegral<uint8_t>(), input.ConsumeIntegral<uint64_t>());
        reset.id = static_cast<int64_t>(target);
        plugin.Command(id, &reset, &reset.result);
        return;
    }
    default: {
        TessarilResultOnlyCommand command{};
        plugin.Command(id, &command, &command.result);
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const FuzzArena arena(data, size);
    PluginHarness plugin;
    for (int i = 0; i < kMostCommands && input.remaining_bytes() > 0; ++i) {
        const uint64_t id = input.PickValueInArray(kIds);
        if (input.ConsumeIntegralInRange<uint8_t>(0, 15) == 0) {
            plugin.Command(id, nullptr, nullptr);
        } else {
            RunCommand(input, arena, plugin, id);
        }
        if (input.ConsumeIntegralInRange<uint8_t>(0, 7) == 0) {
            ExportedCallDrop(input.PickValueInArray(kIds));
        }
        plugin.Probe();
    }
    return 0;
}
