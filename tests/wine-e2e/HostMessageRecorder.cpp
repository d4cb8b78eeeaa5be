#include "HostMessageRecorder.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace {

std::atomic<HostMessageRecorder*> current{nullptr};

}  // namespace

HostMessageRecorder::HostMessageRecorder()
{
    current = this;
}

HostMessageRecorder::~HostMessageRecorder()
{
    current = nullptr;
}

bool TESSARIL_CDECL HostMessageRecorder::Send(const char* sender, uint64_t messageId, void* payload)
{
    Record(sender, messageId, payload);
    return true;
}

bool TESSARIL_CDECL HostMessageRecorder::Notify(const char* sender, uint64_t messageId, void* payload)
{
    Record(sender, messageId, payload);
    return true;
}

// A message after the recorder is gone means the plugin outlived its
// ExportedUninit: nothing may arrive then.
void HostMessageRecorder::Record(const char* sender, uint64_t messageId, void* payload)
{
    HostMessageRecorder* recorder = current;
    if (recorder == nullptr) {
        std::abort();
    }
    RecordedMessage message{sender != nullptr ? sender : "", messageId, std::this_thread::get_id(), {}};
    if (messageId == TESSARIL_MSG_CURSOR_REPORT) {
        const auto* report = static_cast<const TessarilCursorReportPayload*>(payload);
        message.samples.assign(report->samples, report->samples + report->count);
    }
    {
        const std::lock_guard lock(recorder->mutex);
        recorder->messages.push_back(std::move(message));
    }
    recorder->arrived.notify_all();
}

std::vector<RecordedMessage> HostMessageRecorder::CursorReports() const
{
    const std::lock_guard lock(mutex);
    return CursorReportsLocked();
}

std::vector<RecordedMessage> HostMessageRecorder::WaitForCursorReports(size_t count,
                                                                       std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex);
    arrived.wait_for(lock, timeout, [&] { return CursorReportsLocked().size() >= count; });
    std::vector<RecordedMessage> reports = CursorReportsLocked();
    reports.resize(std::min(reports.size(), count));
    return reports;
}

// Called with the mutex held.
std::vector<RecordedMessage> HostMessageRecorder::CursorReportsLocked() const
{
    std::vector<RecordedMessage> reports;
    for (const RecordedMessage& message : messages) {
        if (message.id == TESSARIL_MSG_CURSOR_REPORT) {
            reports.push_back(message);
        }
    }
    return reports;
}
