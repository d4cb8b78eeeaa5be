#include "messaging/TessarilPylonSlot.h"

bool TessarilPylonSlot::OnDelegate(uint64_t id, const void* payload)
{
    return handlers.Dispatch(*this, id, payload);
}
