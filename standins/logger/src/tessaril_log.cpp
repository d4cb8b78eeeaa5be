// The C boundary: argument checks, and no exception ever crosses into the host.
#include "tessaril_log.h"

#include <string>

#include "LoggerOptions.h"
#include "LoggerRegistry.h"

namespace {

TESSARIL_LOG::LoggerRegistry& Registry()
{
    static TESSARIL_LOG::LoggerRegistry registry;
    return registry;
}

}  // namespace

extern "C" TESSARIL_LOG_API int32_t TESSARIL_LOG_CALL CreateTessarilLogger(
    int32_t maxFileBytes, const char* directory, const char* fileStem, const char* loggerName,
    int32_t lowestLevel, int32_t keptFiles, int32_t flushEveryLine)
{
    if (loggerName == nullptr || *loggerName == '\0') {
        return TESSARIL_LOG_ERROR_BAD_ARGUMENT;
    }
    try {
        Registry().Create(TESSARIL_LOG::LoggerOptions::FromArguments(
            maxFileBytes, directory, fileStem, loggerName, lowestLevel, keptFiles, flushEveryLine));
        return TESSARIL_LOG_OK;
    } catch (...) {
        return TESSARIL_LOG_ERROR_FAILED;
    }
}

extern "C" TESSARIL_LOG_API int32_t TESSARIL_LOG_CALL TessarilLogWrite(const char* loggerName, int32_t level,
                                                                       const char* message)
{
    if (loggerName == nullptr || message == nullptr) {
        return TESSARIL_LOG_ERROR_BAD_ARGUMENT;
    }
    try {
        const bool written =
            Registry().Write(loggerName, TESSARIL_LOG::LoggerOptions::LevelFromNumber(level), message);
        return written ? TESSARIL_LOG_OK : TESSARIL_LOG_ERROR_UNKNOWN_LOGGER;
    } catch (...) {
        return TESSARIL_LOG_ERROR_FAILED;
    }
}
