#include "WindowText.h"

#include <algorithm>
#include <cstddef>

namespace SimulatedDesktop {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

int SequenceLength(unsigned char lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if ((lead >> 5) == 0x06) {
        return 2;
    }
    if ((lead >> 4) == 0x0E) {
        return 3;
    }
    return (lead >> 3) == 0x1E ? 4 : 0;
}

// Decodes the sequence at `at` and moves past it; a malformed sequence gives
// U+FFFD and skips its first byte only, so that decoding resynchronises.
char32_t DecodeOne(std::string_view text, size_t& at)
{
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const auto lead = static_cast<unsigned char>(text[at]);
    const int length = SequenceLength(lead);
    if (length == 0 || at + length > text.size()) {
        ++at;
        return kReplacement;
    }
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kReplacement;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    at += length;
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF || surrogate) {
        return kReplacement;
    }
    return codePoint;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

template <typename Char, typename Source>
int CopyTruncated(const Source& source, Char* buffer, int capacity)
{
    if (buffer == nullptr || capacity < 1) {
        return 0;
    }
    const size_t count = std::min(source.size(), static_cast<size_t>(capacity - 1));
    for (size_t i = 0; i < count; ++i) {
        buffer[i] = static_cast<Char>(source[i]);
    }
    buffer[count] = 0;
    return static_cast<int>(count);
}

}  // namespace

WindowText WindowText::FromUtf8(std::string_view utf8)
{
    WindowText text;
    for (size_t at = 0; at < utf8.size();) {
        const char32_t codePoint = DecodeOne(utf8, at);
        if (codePoint < 0x10000) {
            text.units.push_back(static_cast<char16_t>(codePoint));
            continue;
        }
        const char32_t offset = codePoint - 0x10000;
        text.units.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
        text.units.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
    }
    return text;
}

int WindowText::CopyTo(wchar_t* buffer, int capacity) const
{
    return CopyTruncated(units, buffer, capacity);
}

int WindowText::CopyTo(char* buffer, int capacity) const
{
    return CopyTruncated(ToAnsi(), buffer, capacity);
}

std::string WindowText::ToAnsi() const
{
    std::string ansi;
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        // A surrogate pair is one character, so it becomes one '?'.
        if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            ++i;
        }
        ansi.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
    }
    return ansi;
}

}  // namespace SimulatedDesktop
