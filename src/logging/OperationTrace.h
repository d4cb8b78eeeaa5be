#pragma once

#include <string_view>

#include "logging/FunctionTrace.h"

namespace TESSARIL_LOG {

// The traces of one class's operations on the system's logger, under their
// qualified names ("TESSARIL_REMOTECONTROL_HOST::Host" and "StopHost" make
// "TESSARIL_REMOTECONTROL_HOST::Host::StopHost"); without a class, under the
// plain name ("ExportedInit"). A source file keeps one as its Trace:
//   constexpr TESSARIL_LOG::OperationTrace Trace("TESSARIL_REMOTECONTROL_HOST::Host");
//   const auto trace = Trace("StopHost");
class OperationTrace {
public:
    constexpr OperationTrace() = default;
    constexpr explicit OperationTrace(std::string_view qualifiedClass_) : qualifiedClass(qualifiedClass_) {}

    FunctionTrace operator()(std::string_view operation) const;

private:
    std::string_view qualifiedClass;
};

}  // namespace TESSARIL_LOG
