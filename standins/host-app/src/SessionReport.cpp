#include "SessionReport.h"

#include <utility>

namespace TESSARIL_HOST_APP {
namespace {

// Adds one entry to the counts, by its kind.
struct Counter {
    ReportCounts& counts;

    void operator()(const CommandEntry& command) const
    {
        ++counts.commands;
        counts.commandsRefused += command.accepted ? 0 : 1;
    }
    void operator()(const MessageInEntry&) const { ++counts.messagesIn; }
    void operator()(const MessageOutEntry& message) const
    {
        ++counts.messagesOut;
        if (message.kind == OutgoingKind::CursorReport) {
            ++counts.cursorBatches;
            counts.cursorSamples += message.samples.size();
        }
        counts.latencyReports += message.kind == OutgoingKind::Report ? 1 : 0;
    }
    void operator()(const SendInputEntry&) const { ++counts.sendInputCalls; }
};

}  // namespace

void SessionReport::Add(ReportEntry entry)
{
    const std::lock_guard lock(mutex);
    entries.push_back(std::move(entry));
}

void SessionReport::Insert(size_t position, ReportEntry entry)
{
    const std::lock_guard lock(mutex);
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
}

size_t SessionReport::Size() const
{
    const std::lock_guard lock(mutex);
    return entries.size();
}

std::vector<ReportEntry> SessionReport::Entries() const
{
    const std::lock_guard lock(mutex);
    return entries;
}

ReportCounts SessionReport::Counts() const
{
    ReportCounts counts;
    for (const ReportEntry& entry : Entries()) {
        std::visit(Counter{counts}, entry);
    }
    return counts;
}

void SessionReport::SetLogFile(const std::string& file)
{
    const std::lock_guard lock(mutex);
    logFile = file;
}

std::string SessionReport::LogFile() const
{
    const std::lock_guard lock(mutex);
    return logFile;
}

}  // namespace TESSARIL_HOST_APP
