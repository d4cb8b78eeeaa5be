#include "ReportTextWriter.h"

#include <string>

#include "Overloaded.h"

namespace TESSARIL_HOST_APP {
namespace {

// "1 latency report", "2 latency reports".
std::string Counted(size_t count, const std::string& noun, const std::string& plural = "")
{
    return std::to_string(count) + ' ' + (count == 1 ? noun : plural.empty() ? noun + 's' : plural);
}

const char* ThreadWords(const MessageOutEntry& message)
{
    return message.onLoopThread ? " (loop thread)" : "";
}

}  // namespace

void ReportTextWriter::Write(const SessionReport& report, std::ostream& out)
{
    for (const ReportEntry& entry : report.Entries()) {
        WriteEntry(entry, out);
    }
    out << "log      " << report.LogFile() << '\n';
    WriteCounts(report.Counts(), out);
}

void ReportTextWriter::WriteEntry(const ReportEntry& entry, std::ostream& out)
{
    std::visit(Overloaded{
                   [&out](const CommandEntry& command) { WriteCommand(command, out); },
                   [&out](const MessageInEntry& message) {
                       out << "in       " << message.kind << ' ' << message.detail << '\n';
                   },
                   [&out](const MessageOutEntry& message) { WriteOutgoing(message, out); },
                   [&out](const SendInputEntry& call) {
                       out << "input    " << call.words << " -> " << call.inserted << " of " << call.requested
                           << '\n';
                   },
               },
               entry);
}

void ReportTextWriter::WriteCommand(const CommandEntry& command, std::ostream& out)
{
    out << "command  " << command.name << (command.detail.empty() ? "" : " ") << command.detail << " -> ";
    if (command.accepted) {
        out << command.result << ' ' << CommandResultWords(command.result) << '\n';
    } else {
        out << "refused by ExportedCallEvent\n";
    }
}

void ReportTextWriter::WriteOutgoing(const MessageOutEntry& message, std::ostream& out)
{
    out << "out      " << OutgoingKindName(message.kind);
    switch (message.kind) {
    case OutgoingKind::CursorReport:
        WriteCursorBatch(message, out);
        return;
    case OutgoingKind::Register:
        out << " \"" << message.text << '"';
        break;
    case OutgoingKind::Report:
        out << ' ' << message.key << '=' << message.value;
        break;
    case OutgoingKind::Unknown:
        out << " id " << message.id;
        break;
    default:
        break;
    }
    out << ThreadWords(message) << '\n';
}

void ReportTextWriter::WriteCursorBatch(const MessageOutEntry& message, std::ostream& out)
{
    const CursorBatchSummary batch = CursorBatchSummary::Of(message.samples);
    out << ' ' << batch.count << " samples";
    if (batch.count != 0) {
        out << ", " << batch.first.x << ',' << batch.first.y << " .. " << batch.last.x << ',' << batch.last.y
            << ", type";
        for (const int64_t type : batch.cursorTypes) {
            out << ' ' << type;
        }
        out << ", screen " << batch.last.screenWidth << 'x' << batch.last.screenHeight;
    }
    out << ThreadWords(message) << '\n';
}

void ReportTextWriter::WriteCounts(const ReportCounts& counts, std::ostream& out)
{
    out << "summary  " << Counted(counts.commands, "command") << " (" << counts.commandsRefused << " refused), "
        << Counted(counts.messagesIn, "message") << " in, " << counts.messagesOut << " out, "
        << Counted(counts.sendInputCalls, "SendInput call") << "; " << Counted(counts.cursorBatches, "cursor batch", "cursor batches")
        << " (" << Counted(counts.cursorSamples, "sample") << "), " << Counted(counts.latencyReports, "latency report")
        << '\n';
}

}  // namespace TESSARIL_HOST_APP
