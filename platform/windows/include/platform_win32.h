#pragma once

// Windows targets: the real API. The system includes this header instead of
// <windows.h> so that other targets can put the simulated desktop in its place.
// <shobjidl.h> brings IVirtualDesktopManager and its class and interface ids
// (defined in libuuid).

#include <windows.h>

#include <shobjidl.h>
