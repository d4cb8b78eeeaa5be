#include "BenchOptions.h"

#include <string_view>

namespace TESSARIL_BENCH {

namespace {

bool TakeValue(std::string_view argument, std::string_view option, std::string& value)
{
    if (argument.substr(0, option.size()) != option) {
        return false;
    }
    value = std::string(argument.substr(option.size()));
    return true;
}

bool TakeOption(std::string_view argument, BenchOptions& options)
{
    std::string value;
    if (TakeValue(argument, "--log-dir=", value)) {
        options.logDirectory = value;
    } else if (TakeValue(argument, "--monitor-seconds=", value)) {
        options.monitorSeconds = std::stod(value);
    } else if (TakeValue(argument, "--memory-events=", value)) {
        options.memoryEvents = std::stoll(value);
    } else if (TakeValue(argument, "--memory-cycles=", value)) {
        options.memoryCycles = std::stoll(value);
    } else {
        return false;
    }
    return true;
}

}  // namespace

BenchOptions BenchOptions::Take(int& argc, char** argv)
{
    BenchOptions options;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (!TakeOption(argv[i], options)) {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return options;
}

}  // namespace TESSARIL_BENCH
