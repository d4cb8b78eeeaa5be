#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace TESSARIL_HOST_APP {

// The command line of tessaril-host-app:
//   tessaril-host-app [--plugin <file>] [--log-dir <dir>] [--json <file>|-] <session file>
struct ProgramOptions {
    std::filesystem::path session;
    std::optional<std::filesystem::path> plugin;  // none: the plugin beside the program
    std::filesystem::path logDirectory = "tessaril-host-app-logs";
    std::optional<std::string> json;  // "-": standard output, instead of the text report
    bool help = false;

    // Throws std::invalid_argument naming what is wrong.
    static ProgramOptions Parse(const std::vector<std::string>& arguments);
    static const char* Usage();
};

}  // namespace TESSARIL_HOST_APP
