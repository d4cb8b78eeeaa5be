#pragma once

#include <nlohmann/json.hpp>

#include "SessionReport.h"

namespace TESSARIL_HOST_APP {

// The report for a program: the same entries and counts as the text, as JSON.
//
//   {"entries": [{"type": "command", "name": "start", "detail": "...", "accepted": true, "result": 0},
//                {"type": "in", "id": 15000805, "kind": "key", "detail": "H down caps seq=1"},
//                {"type": "out", "id": 35650108, "kind": "cursor", "thread": "loop", "count": 10,
//                 "first": {"x": .., "y": ..}, "last": {...}, "cursorTypes": [0], "screen": {...}},
//                {"type": "input", "records": "key A down", "requested": 1, "inserted": 1}],
//    "logFile": "...", "counts": {"commands": 3, ...}}
class ReportJsonWriter {
public:
    static nlohmann::json ToJson(const SessionReport& report);

private:
    static nlohmann::json EntryJson(const ReportEntry& entry);
    static nlohmann::json OutgoingJson(const MessageOutEntry& message);
    static void AddCursorBatch(const MessageOutEntry& message, nlohmann::json& json);
    static nlohmann::json CountsJson(const ReportCounts& counts);
};

}  // namespace TESSARIL_HOST_APP
