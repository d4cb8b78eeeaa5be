// tessaril-host-app: loads the plugin through its eight exports, replays a
// session file and reports what the plugin did (README.md beside src/).
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "HostDesktop.h"
#include "HostSession.h"
#include "PluginLibrary.h"
#include "SessionPlayer.h"
#include "SessionReport.h"

namespace {

using namespace TESSARIL_HOST_APP;

enum ExitCode { kReplayed = 0, kFailed = 1, kBadSession = 2, kNoPlugin = 3 };

constexpr const char* kUsage =
    "usage: tessaril-host-app [--plugin <file>] [--log-dir <dir>] <session file>\n"
    "  Loads the plugin through its eight exports, replays the session and reports what the plugin did.\n"
    "  --plugin   the plugin library (default: beside this program)\n"
    "  --log-dir  where the plugin's logger writes (default: ./tessaril-host-app-logs)\n"
    "exit codes: 0 replayed, 1 bad arguments or failure, 2 bad session file, 3 plugin not loadable\n";

struct Options {
    std::filesystem::path plugin = PluginLibrary::DefaultPath();
    std::filesystem::path logDirectory = "tessaril-host-app-logs";
    std::filesystem::path session;
    bool help = false;
};

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments)
{
    Options options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool valued = argument == "--plugin" || argument == "--log-dir";
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (valued && i + 1 < arguments.size()) {
            (argument == "--plugin" ? options.plugin : options.logDirectory) = arguments[++i];
        } else if (valued || argument.starts_with("-") || !options.session.empty()) {
            return std::nullopt;
        } else {
            options.session = argument;
        }
    }
    return options.help || !options.session.empty() ? std::optional(options) : std::nullopt;
}

std::optional<std::string> ReadFile(const std::filesystem::path& file)
{
    std::ifstream stream(file);
    std::ostringstream text;
    text << stream.rdbuf();
    return stream ? std::optional(text.str()) : std::nullopt;
}

int Replay(const Options& options, const std::string& text)
{
    std::unique_ptr<PluginLibrary> plugin;
    try {
        plugin = std::make_unique<PluginLibrary>(options.plugin);
    } catch (const std::exception& error) {
        std::cerr << "tessaril-host-app: " << error.what() << '\n';
        return kNoPlugin;
    }
    SessionReport report(std::cout);
    HostDesktop desktop;
    HostSession session(plugin->Exports());
    SessionPlayer player(session, desktop, report);
    try {
        player.Load(text);
    } catch (const std::exception& error) {
        std::cerr << "tessaril-host-app: " << options.session.string() << ": " << error.what() << '\n';
        return kBadSession;
    }
    report.Note("session", options.session.string());
    report.Note("plugin", plugin->File().string());
    const std::filesystem::path logDirectory = std::filesystem::absolute(options.logDirectory);
    const std::string logFolder = logDirectory.string();
    HostSession::InitOptions init;
    init.logDirectory = logFolder.c_str();
    player.Play(init);
    report.Note("log", (logDirectory / (std::string(init.logName) + ".log")).string());
    report.Summary();
    return kReplayed;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options || options->help) {
        (options ? std::cout : std::cerr) << kUsage;
        return options ? kReplayed : kFailed;
    }
    const std::optional<std::string> text = ReadFile(options->session);
    if (!text) {
        std::cerr << "tessaril-host-app: cannot read the session file " << options->session.string() << '\n';
        return kBadSession;
    }
    try {
        return Replay(*options, *text);
    } catch (const std::exception& error) {
        std::cerr << "tessaril-host-app: " << error.what() << '\n';
        return kFailed;
    }
}
