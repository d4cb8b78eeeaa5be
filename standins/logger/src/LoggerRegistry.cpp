#include "LoggerRegistry.h"

#include <utility>

#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/rotating_file_sink.h>

namespace TESSARIL_LOG {

namespace {

constexpr const char* kLinePattern = "[%Y-%m-%d %H:%M:%S.%e] [%t] [%l] %v";

}  // namespace

void LoggerRegistry::Create(const LoggerOptions& options)
{
    std::shared_ptr<spdlog::logger> replaced = MakeLogger(options);
    {
        const std::lock_guard lock(mutex_);
        std::swap(loggers_[options.name], replaced);
    }
    // Writers that looked the old logger up before the swap may still hold
    // it; its buffered lines go out now, and its file closes with the last holder.
    if (replaced) {
        replaced->flush();
    }
}

bool LoggerRegistry::Write(std::string_view name, spdlog::level::level_enum level,
                           std::string_view message) const
{
    const std::shared_ptr<spdlog::logger> logger = Find(name);
    if (!logger) {
        return false;
    }
    // Logging outside the registry lock: the sink has its own mutex, and
    // writers to different loggers need not wait for each other.
    logger->log(level, spdlog::string_view_t(message.data(), message.size()));
    return true;
}

std::shared_ptr<spdlog::logger> LoggerRegistry::MakeLogger(const LoggerOptions& options)
{
    auto sink = std::make_shared<spdlog::sinks::rotating_file_sink_mt>(options.filePath, options.maxFileBytes,
                                                                       options.keptFiles);
    auto logger = std::make_shared<spdlog::logger>(options.name, std::move(sink));
    logger->set_formatter(std::make_unique<spdlog::pattern_formatter>(kLinePattern));
    logger->set_level(options.lowestLevel);
    logger->flush_on(options.flushEveryLine ? spdlog::level::trace : spdlog::level::err);
    return logger;
}

std::shared_ptr<spdlog::logger> LoggerRegistry::Find(std::string_view name) const
{
    const std::lock_guard lock(mutex_);
    const auto found = loggers_.find(name);
    return found != loggers_.end() ? found->second : nullptr;
}

}  // namespace TESSARIL_LOG
