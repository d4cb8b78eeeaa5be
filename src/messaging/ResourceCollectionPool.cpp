#include "messaging/ResourceCollectionPool.h"

namespace TESSARIL_REMOTECONTROL_HOST {

void __ResourceCollectionPool__::Store(uint64_t callId, std::shared_ptr<__ResourceCollection__> collection)
{
    // After the swap the argument holds the old collection, released when it
    // goes out of scope: storing the collection already held is therefore safe.
    collections[callId].swap(collection);
}

void __ResourceCollectionPool__::Drop(const uint64_t& callId)
{
    collections.erase(callId);
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
