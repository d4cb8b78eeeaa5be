#include "logging/OperationTrace.h"

#include <string>

#include "logging/LogInstance.h"

namespace TESSARIL_LOG {

FunctionTrace OperationTrace::operator()(std::string_view operation) const
{
    std::string name;
    if (!qualifiedClass.empty()) {
        name.append(qualifiedClass).append("::");
    }
    name.append(operation);
    return FunctionTrace(std::string(kLoggerName), name);
}

}  // namespace TESSARIL_LOG
