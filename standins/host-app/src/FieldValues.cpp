#include "FieldValues.h"

#include <charconv>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace TESSARIL_HOST_APP {
namespace {

std::string Quote(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string RangeText(int64_t min, int64_t max)
{
    return std::to_string(min) + ".." + std::to_string(max);
}

// The magnitude of an integer text without its sign; false when the text is
// not a number. ec is result_out_of_range when it does not fit 64 bits.
bool ParseMagnitude(std::string_view digits, uint64_t& magnitude, std::errc& ec)
{
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    // from_chars alone would accept a second sign or stop at junk.
    if (digits.empty() || digits[0] == '-' || digits[0] == '+') {
        return false;
    }
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    ec = error;
    return end == digits.data() + digits.size();
}

}  // namespace

[[noreturn]] void FailField(std::string_view field, const std::string& problem)
{
    throw std::invalid_argument(field.empty() ? problem : std::string(field) + ": " + problem);
}

int64_t ParseInteger(std::string_view field, std::string_view text, int64_t min, int64_t max)
{
    const bool negative = !text.empty() && text[0] == '-';
    uint64_t magnitude = 0;
    std::errc ec{};
    if (!ParseMagnitude(negative ? text.substr(1) : text, magnitude, ec)) {
        FailField(field, Quote(text) + " is not a number");
    }
    // The magnitude of INT64_MIN is one more than INT64_MAX; anything beyond
    // cannot be an int64 and must not reach the conversion below.
    constexpr uint64_t largest = std::numeric_limits<int64_t>::max();
    if (ec == std::errc::result_out_of_range || magnitude > largest + (negative ? 1 : 0)) {
        FailField(field, std::string(text) + " is out of range " + RangeText(min, max));
    }
    // Unsigned negation wraps, and C++20 defines the conversion back as modular.
    const int64_t value = static_cast<int64_t>(negative ? uint64_t{0} - magnitude : magnitude);
    if (value < min || value > max) {
        FailField(field, std::string(text) + " is out of range " + RangeText(min, max));
    }
    return value;
}

double ParseReal(std::string_view field, std::string_view text)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size() || ec == std::errc::invalid_argument) {
        FailField(field, Quote(text) + " is not a number");
    }
    if (ec == std::errc::result_out_of_range) {
        FailField(field, std::string(text) + " is out of range");
    }
    return value;
}

std::pair<int64_t, int64_t> ParseIntegerPair(std::string_view field, std::string_view text, char separator,
                                             int64_t min, int64_t max)
{
    const size_t at = text.find(separator);
    if (at == std::string_view::npos) {
        FailField(field, separator == 'x' ? "expected <w>x<h>" : "expected x,y");
    }
    return {ParseInteger(field, text.substr(0, at), min, max), ParseInteger(field, text.substr(at + 1), min, max)};
}

std::vector<std::string> ParseQuotedTexts(std::string_view field, std::string_view text)
{
    std::vector<std::string> texts;
    size_t at = 0;
    do {
        if (!texts.empty()) {
            ++at;  // the comma between two texts
        }
        if (at >= text.size() || text[at] != '"') {
            FailField(field, "expected \"text\"");
        }
        std::string decoded;
        for (++at; at < text.size() && text[at] != '"'; ++at) {
            if (text[at] == '\\' && at + 1 < text.size()) {
                ++at;
            }
            decoded += text[at];
        }
        if (at >= text.size()) {
            FailField(field, "unterminated quote");
        }
        texts.push_back(std::move(decoded));
        ++at;  // the closing quote
    } while (at < text.size() && text[at] == ',');
    if (at != text.size()) {
        FailField(field, "expected \"text\"");
    }
    return texts;
}

std::string ParseQuotedText(std::string_view field, std::string_view text)
{
    std::vector<std::string> texts = ParseQuotedTexts(field, text);
    if (texts.size() != 1) {
        FailField(field, "expected one \"text\"");
    }
    return std::move(texts.front());
}

}  // namespace TESSARIL_HOST_APP
