#include "ReportJsonWriter.h"

#include "Overloaded.h"

namespace TESSARIL_HOST_APP {
namespace {

nlohmann::json Position(const TessarilMouseCursorFFI& sample)
{
    return {{"x", sample.x}, {"y", sample.y}};
}

}  // namespace

nlohmann::json ReportJsonWriter::ToJson(const SessionReport& report)
{
    nlohmann::json entries = nlohmann::json::array();
    for (const ReportEntry& entry : report.Entries()) {
        entries.push_back(EntryJson(entry));
    }
    return {{"entries", std::move(entries)}, {"logFile", report.LogFile()}, {"counts", CountsJson(report.Counts())}};
}

nlohmann::json ReportJsonWriter::EntryJson(const ReportEntry& entry)
{
    return std::visit(
        Overloaded{
            [](const CommandEntry& command) -> nlohmann::json {
                return {{"type", "command"},  {"name", command.name},     {"detail", command.detail},
                        {"accepted", command.accepted}, {"result", command.result}};
            },
            [](const MessageInEntry& message) -> nlohmann::json {
                return {{"type", "in"}, {"id", message.id}, {"kind", message.kind}, {"detail", message.detail}};
            },
            [](const MessageOutEntry& message) { return OutgoingJson(message); },
            [](const SendInputEntry& call) -> nlohmann::json {
                return {{"type", "input"}, {"records", call.words}, {"requested", call.requested},
                        {"inserted", call.inserted}};
            },
        },
        entry);
}

nlohmann::json ReportJsonWriter::OutgoingJson(const MessageOutEntry& message)
{
    nlohmann::json json = {{"type", "out"},
                           {"id", message.id},
                           {"kind", OutgoingKindName(message.kind)},
                           {"thread", message.onLoopThread ? "loop" : "command"}};
    switch (message.kind) {
    case OutgoingKind::Register:
        json["text"] = message.text;
        break;
    case OutgoingKind::Report:
        json["key"] = message.key;
        json["value"] = message.value;
        break;
    case OutgoingKind::CursorReport:
        AddCursorBatch(message, json);
        break;
    default:
        break;
    }
    return json;
}

void ReportJsonWriter::AddCursorBatch(const MessageOutEntry& message, nlohmann::json& json)
{
    const CursorBatchSummary batch = CursorBatchSummary::Of(message.samples);
    json["count"] = batch.count;
    if (batch.count != 0) {
        json["first"] = Position(batch.first);
        json["last"] = Position(batch.last);
        json["cursorTypes"] = batch.cursorTypes;
        json["screen"] = {{"width", batch.last.screenWidth}, {"height", batch.last.screenHeight}};
    }
}

nlohmann::json ReportJsonWriter::CountsJson(const ReportCounts& counts)
{
    return {{"commands", counts.commands},
            {"commandsRefused", counts.commandsRefused},
            {"messagesIn", counts.messagesIn},
            {"messagesOut", counts.messagesOut},
            {"sendInputCalls", counts.sendInputCalls},
            {"cursorBatches", counts.cursorBatches},
            {"cursorSamples", counts.cursorSamples},
            {"latencyReports", counts.latencyReports}};
}

}  // namespace TESSARIL_HOST_APP
