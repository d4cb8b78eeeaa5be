#pragma once

#include <fmt/format.h>

#include <cstdint>
#include <string_view>

#include "common/Singleton.h"
#include "logging/LogLevel.h"

namespace TESSARIL_LOG {

// The one logger this system writes to; ExportedInit creates it by this name.
inline constexpr std::string_view kLoggerName = "tessaril_remotecontrol_host";

// Facade over the external logger library: formats a line with {fmt} and hands
// it to TessarilLogWrite. No level filter, no queue: the library decides what
// to keep. Usable from any thread; the facade itself holds no state.
class LogInstance : public TESSARIL_COMMON::Singleton<LogInstance> {
public:
    template <class... Args>
    static void Write(std::string_view loggerName, int32_t level, fmt::format_string<Args...> format,
                      Args&&... args)
    {
        WriteFormatted(loggerName, level, format, fmt::make_format_args(args...));
    }

    // Creates the named logger in the library; the three host values pass through.
    static void CreateLogger(int32_t hostValue, const char* hostText1, const char* hostText2);

private:
    static void WriteFormatted(std::string_view loggerName, int32_t level, fmt::string_view format,
                               fmt::format_args args);
};

// Write sites obtain the facade through its accessor, so a write after
// ExportedUninit deleted it brings it back (the closing trace line needs that).
template <class... Args>
void LogInfo(fmt::format_string<Args...> format, Args&&... args)
{
    LogInstance::GetInstance()->Write(kLoggerName, LogLevel::Info, format, std::forward<Args>(args)...);
}

template <class... Args>
void LogWarning(fmt::format_string<Args...> format, Args&&... args)
{
    LogInstance::GetInstance()->Write(kLoggerName, LogLevel::Warning, format, std::forward<Args>(args)...);
}

template <class... Args>
void LogError(fmt::format_string<Args...> format, Args&&... args)
{
    LogInstance::GetInstance()->Write(kLoggerName, LogLevel::Error, format, std::forward<Args>(args)...);
}

}  // namespace TESSARIL_LOG
