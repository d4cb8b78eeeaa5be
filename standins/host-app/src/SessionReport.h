#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "ReportEntry.h"

namespace TESSARIL_HOST_APP {

struct ReportCounts {
    size_t commands = 0;
    size_t commandsRefused = 0;  // ExportedCallEvent returned false
    size_t messagesIn = 0;
    size_t messagesOut = 0;
    size_t sendInputCalls = 0;
    size_t cursorBatches = 0;
    size_t cursorSamples = 0;
    size_t latencyReports = 0;
};

// The run's entries, appended from the command thread and the event-loop
// thread alike; the mutex keeps them whole and in arrival order.
class SessionReport {
public:
    void Add(ReportEntry entry);
    // Places an entry before those that arrived since Size() gave position.
    void Insert(size_t position, ReportEntry entry);
    size_t Size() const;
    std::vector<ReportEntry> Entries() const;
    ReportCounts Counts() const;

    // Where the plugin's logger writes, for the reader of the report.
    void SetLogFile(const std::string& file);
    std::string LogFile() const;

private:
    mutable std::mutex mutex;
    std::vector<ReportEntry> entries;
    std::string logFile;
};

}  // namespace TESSARIL_HOST_APP
