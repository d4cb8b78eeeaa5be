// Plugin commands through ExportedCallEvent in any order, unknown ids and null
// payloads, with drops in between; texts, byte and title lists taken from the
// fuzzer's bytes, the start command's bool any byte. After each command one
// mouse move lets the ignore windows of the moment take effect.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "CheckedSession.h"
#include "FuzzArena.h"

namespace {

using TESSARIL_HOST_APP::IgnoreRequest;

constexpr int kMostCommands = 24;
constexpr uint32_t kMostTitles = 4;

constexpr uint64_t kIds[] = {TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW, TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW,
                             TESSARIL_CMD_CLEAR_HOST_IGNORE_WINDOW, TESSARIL_CMD_START_HOST,
                             TESSARIL_CMD_STOP_HOST, TESSARIL_CMD_RESET_SCREEN, TESSARIL_CMD_RESET_WINDOW,
                             TESSARIL_MSG_KEY_EVENT, 0, UINT64_MAX};

uint64_t FuzzedTarget(FuzzedDataProvider& input, const CheckedSession& session)
{
    const auto choice = input.ConsumeIntegral<uint8_t>();
    return session.Target(choice, input.ConsumeIntegral<uint64_t>());
}

// Any type, with the fields of every type filled from the input; the process
// is one of the desktop's windows' or any other.
IgnoreRequest FuzzedIgnoreRequest(FuzzedDataProvider& input, const FuzzArena& arena, const CheckedSession& session)
{
    const int32_t type = input.ConsumeBool() ? input.ConsumeIntegralInRange<int32_t>(0, 4)
                                             : input.ConsumeIntegral<int32_t>();
    const auto bytes =
        arena.List<uint8_t>(input.ConsumeIntegral<uint16_t>(), input.ConsumeIntegralInRange<uint32_t>(0, 9));
    const uint32_t processes[] = {4200, 5100, input.ConsumeIntegral<uint32_t>()};
    const uint32_t processId = input.PickValueInArray(processes);
    const auto reserved = input.ConsumeIntegral<uint32_t>();
    std::vector<std::string> titles(input.ConsumeIntegralInRange<uint32_t>(0, kMostTitles));
    for (std::string& title : titles) {
        title = arena.Text(input.ConsumeIntegral<uint16_t>());
    }
    IgnoreRequest request = IgnoreRequest::Raw(type, {bytes.begin(), bytes.end()},
                                                 static_cast<int64_t>(FuzzedTarget(input, session)));
    request.Titles(processId, std::move(titles)).Payload()->reserved = reserved;
    return request;
}

void RunCommand(FuzzedDataProvider& input, const FuzzArena& arena, CheckedSession& session, uint64_t id)
{
    switch (id) {
    case TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW:
    case TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW: {
        IgnoreRequest request = FuzzedIgnoreRequest(input, arena, session);
        session.Command(id, *request.Payload());
        return;
    }
    case TESSARIL_CMD_START_HOST: {
        const char* text = arena.Text(input.ConsumeIntegral<uint16_t>());
        TessarilStartHostCommand start = TESSARIL_HOST_APP::StartCommand(FuzzedTarget(input, session), false, text);
        const auto isScreen = input.ConsumeIntegral<uint8_t>();
        std::memcpy(&start.isScreen, &isScreen, 1);
        session.Command(id, start);
        return;
    }
    case TESSARIL_CMD_RESET_SCREEN:
    case TESSARIL_CMD_RESET_WINDOW: {
        TessarilResetTargetCommand reset{static_cast<int64_t>(FuzzedTarget(input, session)), -1};
        session.Command(id, reset);
        return;
    }
    default: {
        TessarilResultOnlyCommand command{};
        session.Command(id, command);
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const FuzzArena arena(data, size);
    CheckedSession session;
    for (int i = 0; i < kMostCommands && input.remaining_bytes() > 0; ++i) {
        const uint64_t id = input.PickValueInArray(kIds);
        if (input.ConsumeIntegralInRange<uint8_t>(0, 15) == 0) {
            session.NullCommand(id);
        } else {
            RunCommand(input, arena, session, id);
        }
        if (input.ConsumeIntegralInRange<uint8_t>(0, 7) == 0) {
            CheckedSession::host.plugin.callDrop(input.PickValueInArray(kIds));
        }
        session.Probe();
    }
    return 0;
}
