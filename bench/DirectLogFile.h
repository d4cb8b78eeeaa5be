#pragma once

#include <spdlog/logger.h>

#include <memory>
#include <string>
#include <string_view>

namespace TESSARIL_BENCH {

// The floor of a traced operation: spdlog used directly, set up as the logger
// library sets up the plugin's logger (rotating file of 10 MiB with seven kept,
// the same line pattern, every line flushed), writing finished lines.
class DirectLogFile {
public:
    explicit DirectLogFile(const std::string& directory);

    void Write(std::string_view line);

private:
    std::shared_ptr<spdlog::logger> logger;
};

}  // namespace TESSARIL_BENCH
