#pragma once

#include <cstdint>

namespace TESSARIL_LOG {

// The level integers handed to the logger library unchanged. No other value is
// ever written.
enum LogLevel : int32_t {
    Info = 3,
    Warning = 4,
    Error = 5,
};

}  // namespace TESSARIL_LOG
