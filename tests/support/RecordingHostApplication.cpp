#include "RecordingHostApplication.h"

#include <fmt/format.h>

#include <mutex>
#include <utility>

namespace {

std::mutex mutex;
std::vector<std::string> lines;
std::vector<std::string> foreignSenders;
std::thread::id cursorThread;
int64_t registerResult = 0;

std::string DescribeCursorReport(const TessarilCursorReportPayload& report)
{
    std::string line = fmt::format("cursor {}", report.count);
    for (uint32_t i = 0; i < report.count; ++i) {
        const TessarilMouseCursorFFI& sample = report.samples[i];
        line += fmt::format(" {}@{},{}", sample.cursorType, sample.x, sample.y);
    }
    if (report.count > 0) {
        line += fmt::format(" in {}x{}", report.samples[0].screenWidth, report.samples[0].screenHeight);
    }
    return line;
}

}  // namespace

bool TESSARIL_CDECL RecordingHostApplication::Send(const char* sender, uint64_t messageId, void* payload)
{
    if (messageId == TESSARIL_MSG_REGISTER_REQUEST) {
        auto& request = *static_cast<TessarilRegisterRequestPayload*>(payload);
        Record(sender, fmt::format("register {}", request.text));
        const std::lock_guard lock(mutex);
        request.result = registerResult;
    } else if (messageId == TESSARIL_MSG_UNREGISTER_REQUEST) {
        Record(sender, "unregister");
    } else if (messageId == TESSARIL_MSG_CURSOR_REPORT) {
        Record(sender, DescribeCursorReport(*static_cast<const TessarilCursorReportPayload*>(payload)));
        const std::lock_guard lock(mutex);
        cursorThread = std::this_thread::get_id();
    } else {
        Record(sender, fmt::format("send {}", messageId));
    }
    return true;
}

bool TESSARIL_CDECL RecordingHostApplication::Notify(const char* sender, uint64_t messageId, void* payload)
{
    if (messageId == TESSARIL_MSG_CHANNEL_AVAILABLE_NOTIFY) {
        Record(sender, "channel available");
    } else if (messageId == TESSARIL_MSG_CHANNEL_UNAVAILABLE_NOTIFY) {
        Record(sender, "channel unavailable");
    } else if (messageId == TESSARIL_MSG_REPORT_NOTIFY) {
        const auto& report = *static_cast<const TessarilReportPayload*>(payload);
        Record(sender, fmt::format("report {} {}", report.key, report.value));
    } else {
        Record(sender, fmt::format("notify {}", messageId));
    }
    return true;
}

void RecordingHostApplication::SetRegisterResult(int64_t result)
{
    const std::lock_guard lock(mutex);
    registerResult = result;
}

std::vector<std::string> RecordingHostApplication::Lines()
{
    const std::lock_guard lock(mutex);
    return lines;
}

std::vector<std::string> RecordingHostApplication::Take()
{
    const std::lock_guard lock(mutex);
    return std::exchange(lines, {});
}

void RecordingHostApplication::Clear()
{
    const std::lock_guard lock(mutex);
    lines.clear();
    foreignSenders.clear();
    registerResult = 0;
}

std::vector<std::string> RecordingHostApplication::ForeignSenders()
{
    const std::lock_guard lock(mutex);
    return foreignSenders;
}

std::thread::id RecordingHostApplication::LastCursorThread()
{
    const std::lock_guard lock(mutex);
    return cursorThread;
}

void RecordingHostApplication::Record(const char* sender, std::string line)
{
    const std::lock_guard lock(mutex);
    if (sender == nullptr || std::string(sender) != TESSARIL_SENDER_TEXT) {
        foreignSenders.push_back(line);
    }
    lines.push_back(std::move(line));
}
