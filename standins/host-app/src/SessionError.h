#pragma once

#include <stdexcept>
#include <string>

namespace TESSARIL_HOST_APP {

// A session file that cannot be replayed: what() reads "line <n>: <message>",
// the form an editor or a person finds the line by.
class SessionError : public std::runtime_error {
public:
    SessionError(int lineNumber, const std::string& message);

    int Line() const;

private:
    int line;
};

}  // namespace TESSARIL_HOST_APP
