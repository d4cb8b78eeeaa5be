#pragma once

#include <ostream>

#include "SessionReport.h"

namespace TESSARIL_HOST_APP {

// The report for a person: one line per entry, in the order things happened,
// then where the plugin's log is and the counts.
//
//   command  start window=editor text="demo-viewer" -> 0 done
//   out      register "demo-viewer"
//   in       key H down caps seq=1
//   input    key CAPITAL down | key CAPITAL up -> 2 of 2
//   out      cursor 10 samples, 460,340 .. 460,340, type 0, screen 800x600 (loop thread)
class ReportTextWriter {
public:
    static void Write(const SessionReport& report, std::ostream& out);

private:
    static void WriteEntry(const ReportEntry& entry, std::ostream& out);
    static void WriteCommand(const CommandEntry& command, std::ostream& out);
    static void WriteOutgoing(const MessageOutEntry& message, std::ostream& out);
    static void WriteCursorBatch(const MessageOutEntry& message, std::ostream& out);
    static void WriteCounts(const ReportCounts& counts, std::ostream& out);
};

}  // namespace TESSARIL_HOST_APP
