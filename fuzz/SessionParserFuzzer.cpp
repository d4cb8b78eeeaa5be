// The host-application substitute's session reader: any text must give steps
// or a SessionError naming its line. Any other exception escapes and counts as
// a crash.

#include <cstdint>
#include <string_view>

#include "SessionError.h"
#include "SessionParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        TESSARIL_HOST_APP::SessionParser::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const TESSARIL_HOST_APP::SessionError&) {
        // The refusal the reader promises.
    }
    return 0;
}
