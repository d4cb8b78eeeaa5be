#include "SessionError.h"

namespace TESSARIL_HOST_APP {

SessionError::SessionError(int lineNumber, const std::string& message)
    : std::runtime_error("line " + std::to_string(lineNumber) + ": " + message), line(lineNumber)
{
}

int SessionError::Line() const
{
    return line;
}

}  // namespace TESSARIL_HOST_APP
