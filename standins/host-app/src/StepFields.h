#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace TESSARIL_HOST_APP {

// The words of one session line, taken one by one as a step reads them:
// positional words from the front, key=value fields and bare flags from
// anywhere. Whatever no step took is an error, so a misspelt field is never
// silently ignored. Failures throw std::invalid_argument with the problem.
class StepFields {
public:
    // Splits at blanks outside double quotes; a quote may open anywhere in a
    // word (title="a b"). Throws on an unterminated quote.
    explicit StepFields(std::string_view line);

    // The next word from the front; "expected <what>" when there is none.
    std::string_view TakeWord(std::string_view what);
    // The value of key=..., when given; a second key= is an error.
    std::optional<std::string_view> Take(std::string_view key);
    // The value of key=...; "missing <key>=" when not given.
    std::string_view Require(std::string_view key);
    // Whether the bare word was given (and takes it).
    bool TakeFlag(std::string_view word);
    // Throws "unknown field "<word>"" for the first word no step took.
    void Finish() const;

private:
    std::vector<std::string_view> words;
};

}  // namespace TESSARIL_HOST_APP
