#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <spdlog/common.h>

namespace TESSARIL_LOG {

// The settings of one logger, read from CreateTessarilLogger's arguments with
// every default and clamp applied, so the registry never sees raw host values.
struct LoggerOptions {
    static constexpr std::size_t kDefaultMaxFileBytes = 10 * 1024 * 1024;

    // loggerName must not be null; every other pointer may be.
    static LoggerOptions FromArguments(int32_t maxFileBytes, const char* directory, const char* fileStem,
                                       const char* loggerName, int32_t lowestLevel, int32_t keptFiles,
                                       int32_t flushEveryLine);

    // Our level numbers run 1 (trace) to 6 (critical); anything outside is
    // taken as the nearest end rather than refused, so a line is never lost.
    static spdlog::level::level_enum LevelFromNumber(int32_t level);

    std::string name;
    std::string filePath;
    std::size_t maxFileBytes = kDefaultMaxFileBytes;
    std::size_t keptFiles = 0;
    spdlog::level::level_enum lowestLevel = spdlog::level::trace;
    bool flushEveryLine = false;
};

}  // namespace TESSARIL_LOG
