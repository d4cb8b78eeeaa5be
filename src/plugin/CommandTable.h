#pragma once

#include <cstdint>
#include <unordered_map>

namespace TESSARIL_REMOTECONTROL_HOST {

// Runs one plugin command: decodes its payload, runs the command, writes the
// result into the payload and keeps the call's (empty) resource collection in
// the pool under the command id until ExportedCallDrop.
using CallEventHandler = void (*)(uint64_t commandId, void* payload);

// The seven plugin commands by id. Filled on first use, not under a lock: the
// host application issues commands one at a time.
class CommandTable {
public:
    // False for an id that is not a command; nothing runs then.
    bool Run(uint64_t commandId, void* payload);

private:
    void FillWhenEmpty();

    std::unordered_map<uint64_t, CallEventHandler> handlers;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
