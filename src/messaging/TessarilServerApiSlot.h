#pragma once

#include <cstdint>

#include "common/Singleton.h"
#include "messaging/MessageDispatchTable.h"

// Dispatch point of delegated ServerApi messages. This plugin serves none, so the
// table stays empty and every message is refused.
class TessarilServerApiSlot : public TESSARIL_COMMON::Singleton<TessarilServerApiSlot> {
public:
    // False for a null payload or an id that is not in the table.
    bool OnDelegate(uint64_t id, const void* payload);

private:
    MessageDispatchTable<TessarilServerApiSlot> handlers;
};
