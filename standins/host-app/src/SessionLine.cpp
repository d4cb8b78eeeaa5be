#include "SessionLine.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>

namespace TESSARIL_HOST_APP {
namespace {

// '\r' too, so that a file with Windows line ends reads the same.
constexpr std::string_view kBlanks = " \t\r";

size_t WordEnd(std::string_view text, size_t at)
{
    return std::min(text.find_first_of(kBlanks, at), text.size());
}

}  // namespace

std::optional<SessionLine> SessionLine::Parse(std::string_view text, int number)
{
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos || text[first] == '#') {
        return std::nullopt;
    }
    SessionLine line(number, std::string(text.substr(first, text.find_last_not_of(kBlanks) + 1 - first)));
    const std::string_view rest = line.written;
    size_t at = WordEnd(rest, 0);
    line.verb = rest.substr(0, at);
    while ((at = rest.find_first_not_of(kBlanks, at)) != std::string_view::npos) {
        at = line.ReadField(rest, at);
    }
    return line;
}

size_t SessionLine::ReadField(std::string_view rest, size_t at)
{
    const size_t equals = rest.find('=', at);
    const size_t end = WordEnd(rest, at);
    if (equals == at || equals > end) {
        Fail(fmt::format("expected key=value, found \"{}\"", rest.substr(at, end - at)));
    }
    Field field{std::string(rest.substr(at, equals - at)), {}};
    at = equals + 1;
    if (at < rest.size() && rest[at] == '"') {
        field.value = ReadQuoted(rest, at);
    } else {
        field.value = rest.substr(at, WordEnd(rest, at) - at);
        at = WordEnd(rest, at);
    }
    fields.push_back(std::move(field));
    return at;
}

// From the opening quote at `at` to just past the closing one.
std::string SessionLine::ReadQuoted(std::string_view rest, size_t& at) const
{
    std::string value;
    for (++at; at < rest.size(); ++at) {
        if (rest[at] == '"') {
            ++at;
            return value;
        }
        if (rest[at] == '\\' && (++at == rest.size() || (rest[at] != '"' && rest[at] != '\\'))) {
            Fail("a backslash in a text must come before \" or \\");
        }
        value += rest[at];
    }
    Fail("a text without its closing quote");
}

bool SessionLine::Has(std::string_view key) const
{
    return std::any_of(fields.begin(), fields.end(), [key](const Field& field) { return field.key == key; });
}

std::string SessionLine::Word(std::string_view key)
{
    if (!Has(key)) {
        Fail(fmt::format("{}: missing {}=", verb, key));
    }
    return Word(key, {});
}

std::string SessionLine::Word(std::string_view key, std::string fallback)
{
    std::vector<std::string> values = Words(key);
    if (values.size() > 1) {
        Fail(fmt::format("{}= given more than once", key));
    }
    return values.empty() ? fallback : values.front();
}

std::vector<std::string> SessionLine::Words(std::string_view key)
{
    std::vector<std::string> values;
    for (Field& field : fields) {
        if (field.key == key) {
            field.read = true;
            values.push_back(field.value);
        }
    }
    return values;
}

int64_t SessionLine::Integer(std::string_view key, int64_t min, int64_t max)
{
    return ToInteger(key, Word(key), min, max);
}

int64_t SessionLine::Integer(std::string_view key, int64_t min, int64_t max, int64_t fallback)
{
    return Has(key) ? Integer(key, min, max) : fallback;
}

std::vector<int64_t> SessionLine::Integers(std::string_view key, char separator, size_t count, int64_t min,
                                           int64_t max)
{
    const std::string value = Word(key);
    if (static_cast<size_t>(std::count(value.begin(), value.end(), separator)) + 1 != count) {
        Fail(fmt::format("{}: expected {} numbers joined by '{}'", key, count, separator));
    }
    std::vector<int64_t> numbers;
    for (size_t at = 0; numbers.size() < count;) {
        const size_t end = std::min(value.find(separator, at), value.size());
        numbers.push_back(ToInteger(key, std::string_view(value).substr(at, end - at), min, max));
        at = end + 1;
    }
    return numbers;
}

bool SessionLine::Switch(std::string_view key, std::string_view on, std::string_view off)
{
    const std::string value = Word(key);
    if (value != on && value != off) {
        Fail(fmt::format("{}: expected {} or {}", key, on, off));
    }
    return value == on;
}

bool SessionLine::Switch(std::string_view key, std::string_view on, std::string_view off, bool fallback)
{
    return Has(key) ? Switch(key, on, off) : fallback;
}

void SessionLine::CheckAllRead() const
{
    for (const Field& field : fields) {
        if (!field.read) {
            Fail(fmt::format("{}: unexpected field {}=", verb, field.key));
        }
    }
}

void SessionLine::Fail(const std::string& problem) const
{
    throw std::runtime_error(fmt::format("line {}: {}", lineNumber, problem));
}

// Decimal or 0x hexadecimal, either with a '-'; the magnitude of INT64_MIN is
// one more than INT64_MAX, so the sign is applied after the range check.
int64_t SessionLine::ToInteger(std::string_view key, std::string_view value, int64_t min, int64_t max) const
{
    std::string_view digits = value;
    const bool negative = digits.starts_with('-');
    digits.remove_prefix(negative ? 1 : 0);
    const int base = digits.starts_with("0x") ? 16 : 10;
    digits.remove_prefix(base == 16 ? 2 : 0);
    uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (error == std::errc::invalid_argument || end != digits.data() + digits.size()) {
        Fail(fmt::format("{}: \"{}\" is not a number", key, value));
    }
    constexpr uint64_t largest = std::numeric_limits<int64_t>::max();
    // Unsigned negation wraps, and C++20 defines the conversion back as modular.
    const auto result = static_cast<int64_t>(negative ? uint64_t{0} - magnitude : magnitude);
    if (error == std::errc::result_out_of_range || magnitude > largest + (negative ? 1 : 0) || result < min ||
        result > max) {
        Fail(fmt::format("{}: {} is out of range {}..{}", key, value, min, max));
    }
    return result;
}

}  // namespace TESSARIL_HOST_APP
