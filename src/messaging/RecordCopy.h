#pragma once

#include <string>
#include <vector>

#include "messaging/Records.h"

// Copies of incoming payloads into plugin-side records. Handlers never keep a
// payload pointer: everything they need is in the copy.
namespace TESSARIL_SERVER_API {

KeyEvent ToKeyEvent(const KeyEventFFI& payload);
MouseEvent ToMouseEvent(const MouseEventFFI& payload);

// The list's order is kept; a count of 0 gives an empty sequence. A null list
// pointer is a host error and also gives an empty sequence rather than a crash.
std::vector<MouseEvent> ToMouseEvents(const MouseEventFFI* events, uint32_t count);
std::vector<TouchRecord> ToTouchRecords(const TouchRecordFFI* records, uint32_t count);

// A payload bool read as the byte it is: the other side may write any value
// there, and loading a byte other than 0 or 1 as a bool is undefined.
bool CopyBool(const bool& field);

// A null text pointer is copied as the empty string.
std::string CopyText(const char* text);

}  // namespace TESSARIL_SERVER_API

namespace TESSARIL_REMOTECONTROL_HOST {

HostIgnoredWindow ToHostIgnoredWindow(const TessarilIgnoreWindowRequest& request);

}  // namespace TESSARIL_REMOTECONTROL_HOST
