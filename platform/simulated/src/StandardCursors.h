#pragma once

#include "platform_win32.h"

namespace SimulatedDesktop {

// The system's own cursors that LoadCursorA(NULL, IDC_*) gives out. Their
// handles are fixed odd numbers from 0x10003, one per resource id, the same in
// every process and after every Reset, as Windows shares them system-wide.
class StandardCursors {
public:
    // Null when `name` is not the resource id of a standard cursor.
    static HCURSOR Find(LPCSTR name);
    static HCURSOR Arrow();
};

}  // namespace SimulatedDesktop
