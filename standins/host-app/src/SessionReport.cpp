#include "SessionReport.h"

#include <fmt/ranges.h>

#include <algorithm>

#include "HostSession.h"

namespace TESSARIL_HOST_APP {
namespace {

std::string ResultWords(int64_t result)
{
    switch (result) {
    case HostSession::kRefused:
        return "refused by ExportedCallEvent";
    case TESSARIL_RESULT_DONE:
        return "0 done";
    case TESSARIL_RESULT_ALREADY_STARTED:
        return fmt::format("{} already started", result);
    case TESSARIL_RESULT_NOT_STARTED:
        return fmt::format("{} not started", result);
    default:
        return std::to_string(result);
    }
}

// The ends of the batch, each cursor type once, the screen size.
std::string CursorWords(const std::vector<TessarilMouseCursorFFI>& samples)
{
    if (samples.empty()) {
        return "cursor 0 samples";
    }
    std::vector<int64_t> types;
    for (const TessarilMouseCursorFFI& sample : samples) {
        if (std::find(types.begin(), types.end(), sample.cursorType) == types.end()) {
            types.push_back(sample.cursorType);
        }
    }
    const TessarilMouseCursorFFI& first = samples.front();
    const TessarilMouseCursorFFI& last = samples.back();
    return fmt::format("cursor {} samples, {},{} .. {},{}, type {}, screen {}x{}", samples.size(), first.x, first.y,
                       last.x, last.y, fmt::join(types, " "), last.screenWidth, last.screenHeight);
}

// "1 latency report", "2 latency reports".
std::string Counted(size_t count, std::string_view noun, std::string_view plural = "s")
{
    return fmt::format("{} {}{}", count, noun, count == 1 ? "" : plural);
}

}  // namespace

SessionReport::SessionReport(std::ostream& stream) : out(stream) {}

void SessionReport::Command(std::string_view line, int64_t result)
{
    ++commands;
    refused += result == HostSession::kRefused ? 1 : 0;
    Note("command", fmt::format("{} -> {}", line, ResultWords(result)));
}

void SessionReport::In(std::string_view line)
{
    ++messagesIn;
    Note("in", line);
}

void SessionReport::Out(const std::vector<OutgoingMessage>& messages, std::thread::id loopThread)
{
    for (const OutgoingMessage& message : messages) {
        ++messagesOut;
        const bool cursor = message.kind == OutgoingMessage::Kind::CursorBatch;
        cursorBatches += cursor ? 1 : 0;
        cursorSamples += cursor ? message.samples.size() : 0;
        latencyReports += message.kind == OutgoingMessage::Kind::Report ? 1 : 0;
        Note("out", fmt::format("{}{}", cursor ? CursorWords(message.samples) : message.Line(),
                                message.thread == loopThread ? " (loop thread)" : ""));
    }
}

void SessionReport::Inputs(const std::vector<std::string>& calls)
{
    for (const std::string& call : calls) {
        ++inputCalls;
        Note("input", call);
    }
}

void SessionReport::Summary()
{
    Note("summary", fmt::format("{} ({} refused), {} in, {} out, {}; {} ({}), {}", Counted(commands, "command"),
                                refused, Counted(messagesIn, "message"), messagesOut,
                                Counted(inputCalls, "SendInput call"), Counted(cursorBatches, "cursor batch", "es"),
                                Counted(cursorSamples, "sample"), Counted(latencyReports, "latency report")));
}

void SessionReport::Note(std::string_view label, std::string_view text)
{
    out << fmt::format("{:<8} {}\n", label, text) << std::flush;
}

}  // namespace TESSARIL_HOST_APP
