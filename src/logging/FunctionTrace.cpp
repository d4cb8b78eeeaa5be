#include "logging/FunctionTrace.h"

#include "common/MillisecondClock.h"
#include "logging/LogInstance.h"

namespace TESSARIL_LOG {

FunctionTrace::FunctionTrace(const std::string& loggerName_, const std::string& functionName_)
    : functionName(functionName_), loggerName(loggerName_), start(TESSARIL_COMMON::MillisecondClock::Now())
{
    LogInstance::GetInstance()->Write(loggerName, LogLevel::Info, "entry {}", functionName);
}

FunctionTrace::~FunctionTrace()
{
    // A wall clock set back during the call shows as the unsigned wrap-around
    // of the negative difference, never as a negative cost.
    const uint64_t cost =
        static_cast<uint64_t>(TESSARIL_COMMON::MillisecondClock::Now()) - static_cast<uint64_t>(start);
    LogInstance::GetInstance()->Write(loggerName, LogLevel::Info, "exit {}, cost : {}", functionName, cost);
}

}  // namespace TESSARIL_LOG
