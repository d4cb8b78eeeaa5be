#include "messaging/TessarilServerApiSlot.h"

bool TessarilServerApiSlot::OnDelegate(uint64_t id, const void* payload)
{
    return handlers.Dispatch(*this, id, payload);
}
