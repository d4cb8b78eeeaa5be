// The logger library's two functions for the fuzzers: every text is read to
// its end (so that AddressSanitizer checks it) and dropped, since a recording
// or file logger would grow with every input.

#include <cstring>

#include "tessaril_log.h"

namespace {

volatile size_t readCharacters = 0;

int32_t ReadAll(const char* first, const char* second)
{
    if (first == nullptr || second == nullptr) {
        return TESSARIL_LOG_ERROR_BAD_ARGUMENT;
    }
    readCharacters = std::strlen(first) + std::strlen(second);
    return TESSARIL_LOG_OK;
}

}  // namespace

extern "C" int32_t CreateTessarilLogger(int32_t, const char* text1, const char* text2, const char* loggerName, int32_t,
                                        int32_t, int32_t)
{
    return ReadAll(text1, text2) == TESSARIL_LOG_OK ? ReadAll(loggerName, "") : TESSARIL_LOG_ERROR_BAD_ARGUMENT;
}

extern "C" int32_t TessarilLogWrite(const char* loggerName, int32_t, const char* message)
{
    return ReadAll(loggerName, message);
}
