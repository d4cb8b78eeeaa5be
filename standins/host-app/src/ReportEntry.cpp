#include "ReportEntry.h"

#include <algorithm>

namespace TESSARIL_HOST_APP {

const char* OutgoingKindName(OutgoingKind kind)
{
    switch (kind) {
    case OutgoingKind::Register:
        return "register";
    case OutgoingKind::Unregister:
        return "unregister";
    case OutgoingKind::CursorReport:
        return "cursor";
    case OutgoingKind::Report:
        return "report";
    case OutgoingKind::ChannelAvailable:
        return "channel-available";
    case OutgoingKind::ChannelUnavailable:
        return "channel-unavailable";
    case OutgoingKind::Unknown:
        break;
    }
    return "unknown";
}

std::string CommandResultWords(int64_t result)
{
    switch (result) {
    case TESSARIL_RESULT_DONE:
        return "done";
    case TESSARIL_RESULT_ALREADY_STARTED:
        return "already started";
    case TESSARIL_RESULT_NOT_STARTED:
        return "not started";
    default:
        return "code " + std::to_string(result);
    }
}

CursorBatchSummary CursorBatchSummary::Of(const std::vector<TessarilMouseCursorFFI>& samples)
{
    CursorBatchSummary summary;
    summary.count = samples.size();
    if (samples.empty()) {
        return summary;
    }
    summary.first = samples.front();
    summary.last = samples.back();
    for (const TessarilMouseCursorFFI& sample : samples) {
        if (std::find(summary.cursorTypes.begin(), summary.cursorTypes.end(), sample.cursorType) ==
            summary.cursorTypes.end()) {
            summary.cursorTypes.push_back(sample.cursorType);
        }
    }
    return summary;
}

}  // namespace TESSARIL_HOST_APP
