#pragma once

#include <cstdint>
#include <unordered_map>

#include "platform_win32.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// The cursor type numbers the viewer knows, by the handle of the standard
// system cursor. One table is built when the library is loaded, before any
// export runs, and never changes afterwards, so the cursor timer thread reads
// it without a lock.
class StandardCursorTypes {
public:
    // The type of the cursor with this handle; 0, the arrow's, for a cursor
    // that is none of the standard ones (an application's own, say).
    static int64_t TypeOf(HCURSOR cursor);

private:
    StandardCursorTypes();

    // The one table, initialised while the library loads.
    static const StandardCursorTypes loaded;

    std::unordered_map<HCURSOR, int64_t> types;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
