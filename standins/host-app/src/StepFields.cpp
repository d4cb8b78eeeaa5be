#include "StepFields.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace TESSARIL_HOST_APP {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The end of the word that starts at `at`: the first blank outside quotes.
size_t WordEnd(std::string_view line, size_t at)
{
    bool quoted = false;
    for (; at < line.size() && (quoted || !IsBlank(line[at])); ++at) {
        if (line[at] == '"') {
            quoted = !quoted;
        } else if (quoted && line[at] == '\\') {
            ++at;  // an escaped character never closes the quote
        }
    }
    if (quoted) {
        throw std::invalid_argument("unterminated quote");
    }
    return std::min(at, line.size());
}

}  // namespace

StepFields::StepFields(std::string_view line)
{
    size_t at = 0;
    while (true) {
        while (at < line.size() && IsBlank(line[at])) {
            ++at;
        }
        if (at == line.size()) {
            return;
        }
        const size_t end = WordEnd(line, at);
        words.push_back(line.substr(at, end - at));
        at = end;
    }
}

std::string_view StepFields::TakeWord(std::string_view what)
{
    if (words.empty()) {
        throw std::invalid_argument("expected " + std::string(what));
    }
    const std::string_view word = words.front();
    words.erase(words.begin());
    return word;
}

std::optional<std::string_view> StepFields::Take(std::string_view key)
{
    const auto hasKey = [key](std::string_view word) {
        return word.size() > key.size() && word.starts_with(key) && word[key.size()] == '=';
    };
    const auto found = std::find_if(words.begin(), words.end(), hasKey);
    if (found == words.end()) {
        return std::nullopt;
    }
    const std::string_view value = found->substr(key.size() + 1);
    words.erase(found);
    if (std::any_of(words.begin(), words.end(), hasKey)) {
        throw std::invalid_argument(std::string(key) + "= given twice");
    }
    return value;
}

std::string_view StepFields::Require(std::string_view key)
{
    const std::optional<std::string_view> value = Take(key);
    if (!value) {
        throw std::invalid_argument("missing " + std::string(key) + "=");
    }
    return *value;
}

bool StepFields::TakeFlag(std::string_view word)
{
    const auto found = std::find(words.begin(), words.end(), word);
    if (found == words.end()) {
        return false;
    }
    words.erase(found);
    if (std::find(words.begin(), words.end(), word) != words.end()) {
        throw std::invalid_argument(std::string(word) + " given twice");
    }
    return true;
}

void StepFields::Finish() const
{
    if (!words.empty()) {
        throw std::invalid_argument("unknown field \"" + std::string(words.front()) + "\"");
    }
}

}  // namespace TESSARIL_HOST_APP
