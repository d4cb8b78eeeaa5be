#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace TESSARIL_HOST_APP {

// Conversions of the value texts of a session line. Each names the field it
// reads (empty for a positional value) and throws std::invalid_argument with
// "<field>: <problem>" on a text it cannot convert; no input is undefined
// behaviour, however long or large its numbers.

// A decimal integer with an optional '-', or a hexadecimal one written 0x...,
// inside [min, max].
int64_t ParseInteger(std::string_view field, std::string_view text, int64_t min, int64_t max);

// A decimal floating-point number; nan and inf are accepted, as a viewer's
// wheel deltas may be anything.
double ParseReal(std::string_view field, std::string_view text);

// Two integers of [min, max] joined by separator, as in "10,20" or "640x480".
std::pair<int64_t, int64_t> ParseIntegerPair(std::string_view field, std::string_view text, char separator,
                                             int64_t min, int64_t max);

// One or more quoted texts joined by commas: "a","b". Inside the quotes a
// backslash takes the next character literally, so \" and \\ stand for " and \.
std::vector<std::string> ParseQuotedTexts(std::string_view field, std::string_view text);

// Exactly one quoted text.
std::string ParseQuotedText(std::string_view field, std::string_view text);

// Throws std::invalid_argument("<field>: <problem>"), or just the problem for
// an unnamed field.
[[noreturn]] void FailField(std::string_view field, const std::string& problem);

}  // namespace TESSARIL_HOST_APP
