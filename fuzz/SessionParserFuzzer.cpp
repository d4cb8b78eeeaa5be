// The host-application substitute's session reader: any text must give steps
// or a SessionError that names its line as "line <n>: ...", n within the text.
// Any other exception escapes and counts as a crash.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "SessionError.h"
#include "SessionParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        TESSARIL_HOST_APP::SessionParser::Parse(text);
    } catch (const TESSARIL_HOST_APP::SessionError& error) {
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        const std::string prefix = "line " + std::to_string(error.Line()) + ": ";
        if (error.Line() < 1 || error.Line() > lines || std::string_view(error.what()).rfind(prefix, 0) != 0) {
            std::fprintf(stderr, "error names no line of the text: %s\n", error.what());
            std::abort();
        }
    }
    return 0;
}
