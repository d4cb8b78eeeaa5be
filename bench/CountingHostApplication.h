#pragma once

#include <cstdint>

#include "tessaril_remotecontrol_host.h"

namespace TESSARIL_BENCH {

// The host application's SendFunction and NotifyFunction for the benchmarks:
// they accept every message and record nothing but the number of cursor
// reports, so that what is measured is the plugin and not a recorder. A
// register request is answered with result 0.
class CountingHostApplication {
public:
    static bool TESSARIL_CDECL Send(const char* sender, uint64_t messageId, void* payload);
    static bool TESSARIL_CDECL Notify(const char* sender, uint64_t messageId, void* payload);

    static uint64_t CursorReports();
};

}  // namespace TESSARIL_BENCH
