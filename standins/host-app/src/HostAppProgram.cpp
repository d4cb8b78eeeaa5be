#include "HostAppProgram.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "PluginLibrary.h"
#include "PluginLoadError.h"
#include "ReportJsonWriter.h"
#include "ReportTextWriter.h"
#include "SessionError.h"
#include "SessionParser.h"
#include "SessionRunner.h"

namespace TESSARIL_HOST_APP {
namespace {

constexpr const char* kProgram = "tessaril-host-app: ";

}  // namespace

HostAppProgram::HostAppProgram(std::ostream& standardOut, std::ostream& standardErr)
    : out(standardOut), err(standardErr)
{
}

int HostAppProgram::Run(const std::vector<std::string>& arguments)
{
    ProgramOptions options;
    try {
        options = ProgramOptions::Parse(arguments);
    } catch (const std::invalid_argument& error) {
        err << kProgram << error.what() << '\n' << ProgramOptions::Usage();
        return kFailed;
    }
    if (options.help) {
        out << ProgramOptions::Usage();
        return kReplayed;
    }
    const std::optional<std::string> session = ReadFile(options.session);
    if (!session) {
        err << kProgram << "cannot read the session file " << options.session.string() << '\n';
        return kBadSession;
    }
    try {
        return Replay(options, SessionParser::Parse(*session));
    } catch (const SessionError& error) {
        err << kProgram << options.session.string() << ": " << error.what() << '\n';
        return kBadSession;
    } catch (const PluginLoadError& error) {
        err << kProgram << error.what() << '\n';
        return kNoPlugin;
    } catch (const std::exception& error) {
        err << kProgram << error.what() << '\n';
        return kFailed;
    }
}

int HostAppProgram::Replay(const ProgramOptions& options, const std::vector<SessionStep>& steps)
{
    const PluginLibrary plugin(options.plugin.value_or(PluginLibrary::DefaultPath()));
    SessionReport report;
    SessionRunner(plugin.Exports(), report, std::filesystem::absolute(options.logDirectory)).Run(steps);
    WriteReport(options, plugin.File(), report);
    return kReplayed;
}

void HostAppProgram::WriteReport(const ProgramOptions& options, const std::filesystem::path& plugin,
                                 const SessionReport& report)
{
    nlohmann::json json = ReportJsonWriter::ToJson(report);
    json["session"] = options.session.string();
    json["plugin"] = plugin.string();
    if (options.json == "-") {
        out << json.dump(2) << '\n';
        return;
    }
    out << "session  " << options.session.string() << "\nplugin   " << plugin.string() << '\n';
    ReportTextWriter::Write(report, out);
    if (options.json) {
        std::ofstream file(*options.json);
        file << json.dump(2) << '\n';
        if (!file) {
            throw std::runtime_error("cannot write " + *options.json);
        }
    }
}

std::optional<std::string> HostAppProgram::ReadFile(const std::filesystem::path& file)
{
    std::ifstream stream(file);
    std::ostringstream text;
    text << stream.rdbuf();
    if (!stream) {
        return std::nullopt;
    }
    return text.str();
}

}  // namespace TESSARIL_HOST_APP
