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
constexpr size_t kInlineNameLength = 64;

}  // namespace

void LogInstance::CreateLogger(int32_t hostValue, const char* hostText1, const char* hostText2)
{
    const std::string loggerName(kLoggerName);
    GetInstance();
    CreateTessarilLogger(hostValue, hostText1, hostText2, loggerName.c_str(), kLowestLevel, kKeptFiles,
                         kFlushEveryLine);
}

// The name and the message are built NUL-terminated in buffers on the stack,
// which grow onto the heap only for a text longer than their inline room: a
// line of the usual length allocates nothing on its way to the library.
void LogInstance::WriteFormatted(std::string_view loggerName, int32_t level, fmt::string_view format,
                                 fmt::format_args args)
{
    fmt::basic_memory_buffer<char, kInlineNameLength> name;
    name.append(loggerName.data(), loggerName.data() + loggerName.size());
    name.push_back('\0');
    fmt::memory_buffer message;
    fmt::vformat_to(fmt::appender(message), format, args);
    message.push_back('\0');
    TessarilLogWrite(name.data(), level, message.data());
}

}  // namespace TESSARIL_LOG
