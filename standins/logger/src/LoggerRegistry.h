#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include <spdlog/logger.h>

#include "LoggerOptions.h"

namespace TESSARIL_LOG {

// The named loggers of the process. Kept apart from spdlog's own global
// registry so that a host replacing a logger never collides with it.
class LoggerRegistry {
public:
    // Opens the logger's file first and only then swaps it in, so a failure
    // (thrown as spdlog::spdlog_ex) leaves any earlier logger of that name working.
    void Create(const LoggerOptions& options);

    // False when no logger of that name exists; nothing is written then.
    bool Write(std::string_view name, spdlog::level::level_enum level, std::string_view message) const;

private:
    // Looks a name up without copying it into a string first: every line a
    // caller writes goes through a lookup.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    static std::shared_ptr<spdlog::logger> MakeLogger(const LoggerOptions& options);
    std::shared_ptr<spdlog::logger> Find(std::string_view name) const;

    mutable std::mutex mutex_;
    std::unordered_map<std::string, std::shared_ptr<spdlog::logger>, NameHash, std::equal_to<>> loggers_;
};

}  // namespace TESSARIL_LOG
