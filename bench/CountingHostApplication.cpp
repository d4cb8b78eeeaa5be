#include "CountingHostApplication.h"

#include <atomic>

namespace TESSARIL_BENCH {

namespace {

std::atomic<uint64_t> cursorReports{0};

}  // namespace

bool TESSARIL_CDECL CountingHostApplication::Send(const char*, uint64_t messageId, void* payload)
{
    if (messageId == TESSARIL_MSG_REGISTER_REQUEST) {
        static_cast<TessarilRegisterRequestPayload*>(payload)->result = 0;
    } else if (messageId == TESSARIL_MSG_CURSOR_REPORT) {
        cursorReports.fetch_add(1, std::memory_order_relaxed);
    }
    return true;
}

bool TESSARIL_CDECL CountingHostApplication::Notify(const char*, uint64_t, void*)
{
    return true;
}

uint64_t CountingHostApplication::CursorReports()
{
    return cursorReports.load();
}

}  // namespace TESSARIL_BENCH
