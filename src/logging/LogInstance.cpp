#include "logging/LogInstance.h"

#include <string>

#include "tessaril_log.h"

namespace TESSARIL_LOG {

namespace {

// The library's own settings for this logger: everything from level 0 up, seven
// rotated files kept, every line flushed (the library's README gives details).
constexpr int32_t kLowestLevel = 0;
constexpr int32_t kKeptFiles = 7;
constexpr int32_t kFlushEveryLine = 1;

}  // namespace

void LogInstance::CreateLogger(int32_t hostValue, const char* hostText1, const char* hostText2)
{
    const std::string loggerName(kLoggerName);
    GetInstance();
    CreateTessarilLogger(hostValue, hostText1, hostText2, loggerName.c_str(), kLowestLevel, kKeptFiles,
                         kFlushEveryLine);
}

void LogInstance::WriteFormatted(std::string_view loggerName, int32_t level, fmt::string_view format,
                                 fmt::format_args args)
{
    const std::string name(loggerName);
    const std::string message = fmt::vformat(format, args);
    TessarilLogWrite(name.c_str(), level, message.c_str());
}

}  // namespace TESSARIL_LOG
