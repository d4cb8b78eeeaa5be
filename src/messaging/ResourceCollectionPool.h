#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "common/Singleton.h"
#include "messaging/ResourceCollection.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// Keeps one collection per call id until ExportedCallDrop. No lock: Store runs
// on the command thread and Drop on the thread of ExportedCallDrop, and the host
// application never runs the two at once; a resource's last release may happen
// on any thread, since reference counts are atomic.
class __ResourceCollectionPool__ : public TESSARIL_COMMON::Singleton<__ResourceCollectionPool__> {
public:
    // The entry refers to the given collection afterwards; the one it held
    // before loses this reference only once the new one is in place.
    void Store(uint64_t callId, std::shared_ptr<__ResourceCollection__> collection);

    // An id that holds nothing changes nothing.
    void Drop(const uint64_t& callId);

private:
    std::map<uint64_t, std::shared_ptr<__ResourceCollection__>> collections;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
