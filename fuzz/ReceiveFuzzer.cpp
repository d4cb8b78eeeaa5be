// Incoming messages through ExportedOnReceive (and ExportedOnDelegate) while
// remote control runs in window or screen mode. The id comes from the known
// ids and a few unknown ones; fixed-size payloads are the fuzzer's own bytes,
// and every list or text pointer points into them with a count they bound.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <span>
#include <vector>

#include "CheckedSession.h"
#include "FuzzArena.h"

namespace {

constexpr int kMostMessages = 48;

// The known ids of both services, an outgoing id and a command id (which are
// not messages), and ids no table holds.
constexpr uint64_t kIds[] = {
    TESSARIL_MSG_OPEN_CHANNEL_RESPONSE, TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE, TESSARIL_MSG_CHANNEL_UNAVAILABLE,
    TESSARIL_MSG_CHANNEL_AVAILABLE, TESSARIL_MSG_KEY_EVENT, TESSARIL_MSG_MOUSE_EVENT,
    TESSARIL_MSG_MOUSE_EVENT_ARRAY, TESSARIL_MSG_CLIENT_VIEWPORT_INFO, TESSARIL_MSG_TOUCH_EVENT_ARRAY,
    TESSARIL_MSG_TEXT_PAIR_A, TESSARIL_MSG_TEXT_PAIR_B, TESSARIL_MSG_PYLON_VALUE_A, TESSARIL_MSG_PYLON_VALUE_B,
    TESSARIL_MSG_PYLON_SIGNAL_A, TESSARIL_MSG_PYLON_SIGNAL_B, TESSARIL_MSG_PYLON_SIGNAL_C,
    TESSARIL_MSG_PYLON_SIGNAL_D, TESSARIL_MSG_REGISTER_REQUEST, TESSARIL_CMD_START_HOST, 0, UINT64_MAX,
    UINT64_C(0x1'00E4'E1D8)};

// The size of each message's payload; messages without data are only checked for null.
size_t PayloadSize(uint64_t id)
{
    switch (id) {
    case TESSARIL_MSG_KEY_EVENT:
        return sizeof(TessarilKeyEvent);
    case TESSARIL_MSG_MOUSE_EVENT:
        return sizeof(TessarilMouseEventFFI);
    case TESSARIL_MSG_CLIENT_VIEWPORT_INFO:
        return sizeof(TessarilClientViewportInfo);
    case TESSARIL_MSG_PYLON_VALUE_A:
    case TESSARIL_MSG_PYLON_VALUE_B:
        return sizeof(TessarilPylonValuePayload);
    default:
        return 1;
    }
}

template <class Record>
std::span<const Record> ArenaList(FuzzedDataProvider& input, const FuzzArena& arena, uint32_t most)
{
    return arena.List<Record>(input.ConsumeIntegral<uint16_t>(), input.ConsumeIntegralInRange<uint32_t>(0, most));
}

void Receive(FuzzedDataProvider& input, const FuzzArena& arena, CheckedSession::HostSession& host, uint64_t id)
{
    switch (id) {
    case TESSARIL_MSG_MOUSE_EVENT_ARRAY: {
        const auto events = ArenaList<TessarilMouseEventFFI>(input, arena, 8);
        TESSARIL_HOST_APP::MouseArray array({events.begin(), events.end()}, input.ConsumeIntegral<int64_t>());
        host.MouseBatch(array);
        return;
    }
    case TESSARIL_MSG_TOUCH_EVENT_ARRAY: {
        const auto records = ArenaList<TessarilTouchRecordFFI>(input, arena, 8);
        host.Receive(id, TessarilTouchEventArrayPayload{records.data(), static_cast<uint32_t>(records.size())});
        return;
    }
    case TESSARIL_MSG_TEXT_PAIR_A:
    case TESSARIL_MSG_TEXT_PAIR_B:
        host.Receive(id, TessarilTextPairPayload{arena.Text(input.ConsumeIntegral<uint16_t>()),
                                                 arena.Text(input.ConsumeIntegral<uint16_t>())});
        return;
    default: {
        // A payload the arena cannot hold at that offset travels as null.
        const auto payload = arena.List<uint8_t>(input.ConsumeIntegral<uint16_t>(), PayloadSize(id));
        host.plugin.onReceive(id, payload.size() == PayloadSize(id) ? payload.data() : nullptr);
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const FuzzArena arena(data, size);
    CheckedSession session;
    CheckedSession::HostSession& host = CheckedSession::host;
    host.recorder.SetRegisterResult(input.ConsumeIntegral<int64_t>());
    session.Start(input.ConsumeBool());
    for (int i = 0; i < kMostMessages && input.remaining_bytes() > 0; ++i) {
        const uint64_t id = input.PickValueInArray(kIds);
        if (input.ConsumeIntegralInRange<uint8_t>(0, 15) == 0) {
            host.plugin.onDelegate(id, arena.Text(0));
        }
        if (input.ConsumeIntegralInRange<uint8_t>(0, 31) == 0) {
            host.plugin.onReceive(id, nullptr);
            continue;
        }
        Receive(input, arena, host, id);
    }
    return 0;
}
