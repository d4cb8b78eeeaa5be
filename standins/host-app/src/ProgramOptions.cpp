#include "ProgramOptions.h"

#include <stdexcept>

namespace TESSARIL_HOST_APP {
namespace {

const std::string& ValueOf(const std::vector<std::string>& arguments, size_t& index)
{
    if (index + 1 >= arguments.size()) {
        throw std::invalid_argument(arguments[index] + " needs a value");
    }
    return arguments[++index];
}

}  // namespace

ProgramOptions ProgramOptions::Parse(const std::vector<std::string>& arguments)
{
    ProgramOptions options;
    bool haveSession = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--plugin") {
            options.plugin = ValueOf(arguments, i);
        } else if (argument == "--log-dir") {
            options.logDirectory = ValueOf(arguments, i);
        } else if (argument == "--json") {
            options.json = ValueOf(arguments, i);
        } else if (argument.starts_with("--") || haveSession) {
            throw std::invalid_argument("unexpected argument " + argument);
        } else {
            options.session = argument;
            haveSession = true;
        }
    }
    if (!haveSession && !options.help) {
        throw std::invalid_argument("no session file given");
    }
    return options;
}

const char* ProgramOptions::Usage()
{
    return "usage: tessaril-host-app [--plugin <file>] [--log-dir <dir>] [--json <file>|-] <session file>\n"
           "  Loads the plugin through its eight exports, replays the session against the\n"
           "  simulated desktop and reports what the plugin did.\n"
           "  --plugin   the plugin library (default: beside this program)\n"
           "  --log-dir  where the plugin's logger writes (default: ./tessaril-host-app-logs)\n"
           "  --json     also write the report as JSON to <file>; - writes only JSON to stdout\n"
           "exit codes: 0 replayed, 1 bad arguments or failure, 2 bad session file, 3 plugin not loadable\n";
}

}  // namespace TESSARIL_HOST_APP
