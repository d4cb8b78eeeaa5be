#pragma once

#include <cstdint>

namespace TESSARIL_BENCH {

// The resident set of this process (/proc/self/statm), in bytes.
class ResidentMemory {
public:
    static int64_t Bytes();
};

}  // namespace TESSARIL_BENCH
