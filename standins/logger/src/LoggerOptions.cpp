#include "LoggerOptions.h"

#include <algorithm>
#include <array>

namespace TESSARIL_LOG {

namespace {

std::string TextOrEmpty(const char* text)
{
    return text != nullptr ? std::string(text) : std::string();
}

bool EndsWithSeparator(const std::string& path)
{
    // Windows accepts both separators, and a host may pass either.
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

std::string LogFilePath(const std::string& directory, const std::string& stem)
{
    const std::string fileName = stem + ".log";
    if (directory.empty()) {
        return fileName;
    }
    return EndsWithSeparator(directory) ? directory + fileName : directory + "/" + fileName;
}

}  // namespace

LoggerOptions LoggerOptions::FromArguments(int32_t maxFileBytes, const char* directory, const char* fileStem,
                                           const char* loggerName, int32_t lowestLevel, int32_t keptFiles,
                                           int32_t flushEveryLine)
{
    LoggerOptions options;
    options.name = loggerName;
    const std::string stem = TextOrEmpty(fileStem);
    options.filePath = LogFilePath(TextOrEmpty(directory), stem.empty() ? options.name : stem);
    if (maxFileBytes > 0) {
        options.maxFileBytes = static_cast<std::size_t>(maxFileBytes);
    }
    options.keptFiles = static_cast<std::size_t>(std::max(keptFiles, 0));
    options.lowestLevel = LevelFromNumber(lowestLevel);
    options.flushEveryLine = flushEveryLine != 0;
    return options;
}

spdlog::level::level_enum LoggerOptions::LevelFromNumber(int32_t level)
{
    static constexpr std::array<spdlog::level::level_enum, 6> kLevels = {
        spdlog::level::trace, spdlog::level::debug, spdlog::level::info,
        spdlog::level::warn,  spdlog::level::err,   spdlog::level::critical,
    };
    return kLevels[static_cast<std::size_t>(std::clamp(level, 1, 6) - 1)];
}

}  // namespace TESSARIL_LOG
