#include "DirectLogFile.h"

#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/rotating_file_sink.h>

namespace TESSARIL_BENCH {

namespace {

constexpr size_t kRotationBytes = 10 * 1024 * 1024;
constexpr size_t kKeptFiles = 7;
constexpr const char* kLinePattern = "[%Y-%m-%d %H:%M:%S.%e] [%t] [%l] %v";

}  // namespace

DirectLogFile::DirectLogFile(const std::string& directory)
{
    auto sink =
        std::make_shared<spdlog::sinks::rotating_file_sink_mt>(directory + "/spdlog-direct.log", kRotationBytes, kKeptFiles);
    logger = std::make_shared<spdlog::logger>("spdlog_direct", std::move(sink));
    logger->set_formatter(std::make_unique<spdlog::pattern_formatter>(kLinePattern));
    logger->set_level(spdlog::level::trace);
    logger->flush_on(spdlog::level::trace);
}

void DirectLogFile::Write(std::string_view line)
{
    logger->log(spdlog::level::info, spdlog::string_view_t(line.data(), line.size()));
}

}  // namespace TESSARIL_BENCH
