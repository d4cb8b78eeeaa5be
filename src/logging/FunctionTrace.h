#pragma once

#include <cstdint>
#include <string>

namespace TESSARIL_LOG {

// Scope object that opens an operation: writes "entry <name>" now and
// "exit <name>, cost : <ms>" when the scope ends, also when an exception leaves
// it. Create it as the operation's first statement.
class FunctionTrace {
public:
    FunctionTrace(const std::string& loggerName, const std::string& functionName);
    ~FunctionTrace();

    FunctionTrace(const FunctionTrace&) = delete;
    FunctionTrace& operator=(const FunctionTrace&) = delete;

private:
    std::string functionName;
    std::string loggerName;
    int64_t start;
};

}  // namespace TESSARIL_LOG
