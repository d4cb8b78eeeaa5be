#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace TESSARIL_HOST_APP {

// One line of a session file: a verb, then key=value fields. A value is a
// word, or a text in double quotes where \" stands for a quote and \\ for a
// backslash. The accessors mark what they read, so a field that no accessor
// asked for (a misspelt key) shows in CheckAllRead. Every error is a
// std::runtime_error reading "line <n>: <problem>".
class SessionLine {
public:
    // Nothing for a blank line or one whose first non-blank character is '#'.
    static std::optional<SessionLine> Parse(std::string_view text, int number);

    const std::string& Verb() const { return verb; }
    // The line as written, without leading or trailing blanks.
    const std::string& Text() const { return written; }

    bool Has(std::string_view key) const;
    std::string Word(std::string_view key);
    std::string Word(std::string_view key, std::string fallback);
    // Every value of a key that may be given more than once, in order.
    std::vector<std::string> Words(std::string_view key);
    // Decimal with an optional '-', or hexadecimal as 0x...
    int64_t Integer(std::string_view key, int64_t min, int64_t max);
    int64_t Integer(std::string_view key, int64_t min, int64_t max, int64_t fallback);
    // `count` integers joined by `separator`: 10,20 or 640x480.
    std::vector<int64_t> Integers(std::string_view key, char separator, size_t count, int64_t min, int64_t max);
    // One of two words: caps=on|off, state=down|up.
    bool Switch(std::string_view key, std::string_view on, std::string_view off);
    bool Switch(std::string_view key, std::string_view on, std::string_view off, bool fallback);

    void CheckAllRead() const;
    [[noreturn]] void Fail(const std::string& problem) const;

private:
    struct Field {
        std::string key;
        std::string value;
        bool read = false;
    };

    SessionLine(int number, std::string text) : lineNumber(number), written(std::move(text)) {}
    size_t ReadField(std::string_view rest, size_t at);
    std::string ReadQuoted(std::string_view rest, size_t& at) const;
    int64_t ToInteger(std::string_view key, std::string_view value, int64_t min, int64_t max) const;

    int lineNumber;
    std::string written;
    std::string verb;
    std::vector<Field> fields;
};

}  // namespace TESSARIL_HOST_APP
