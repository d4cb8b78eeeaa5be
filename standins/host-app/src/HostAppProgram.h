#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ProgramOptions.h"
#include "SessionReport.h"
#include "SessionStep.h"

namespace TESSARIL_HOST_APP {

// The whole program behind main(), so that tests run it in their own process:
// reads the options and the session, loads the plugin, replays, reports.
class HostAppProgram {
public:
    enum ExitCode { kReplayed = 0, kFailed = 1, kBadSession = 2, kNoPlugin = 3 };

    HostAppProgram(std::ostream& out, std::ostream& err);

    int Run(const std::vector<std::string>& arguments);

private:
    int Replay(const ProgramOptions& options, const std::vector<SessionStep>& steps);
    void WriteReport(const ProgramOptions& options, const std::filesystem::path& plugin,
                     const SessionReport& report);
    static std::optional<std::string> ReadFile(const std::filesystem::path& file);

    std::ostream& out;
    std::ostream& err;
};

}  // namespace TESSARIL_HOST_APP
