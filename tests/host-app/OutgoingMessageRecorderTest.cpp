#include <gtest/gtest.h>

#include "OutgoingMessageRecorder.h"

namespace {

using namespace TESSARIL_HOST_APP;

TEST(OutgoingMessageRecorderTest, NotificationsAreDecodedByTheirId)
{
    const char nothing = 0;
    const TessarilReportPayload latency{"PacketDealTime", "12"};
    const TessarilReportPayload noTexts{nullptr, nullptr};
    const struct {
        const char* label;
        uint64_t id;
        const void* payload;
        OutgoingKind kind;
        const char* key;
        const char* value;
    } rows[] = {
        {"latency", TESSARIL_MSG_REPORT_NOTIFY, &latency, OutgoingKind::Report, "PacketDealTime", "12"},
        {"null texts", TESSARIL_MSG_REPORT_NOTIFY, &noTexts, OutgoingKind::Report, "(null)", "(null)"},
        {"available", TESSARIL_MSG_CHANNEL_AVAILABLE_NOTIFY, &nothing, OutgoingKind::ChannelAvailable, "", ""},
        {"unavailable", TESSARIL_MSG_CHANNEL_UNAVAILABLE_NOTIFY, &nothing, OutgoingKind::ChannelUnavailable, "", ""},
        {"unregister", TESSARIL_MSG_UNREGISTER_REQUEST, &nothing, OutgoingKind::Unregister, "", ""},
        {"unknown", 1234, &nothing, OutgoingKind::Unknown, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const MessageOutEntry entry = OutgoingMessageRecorder::Decode(row.id, const_cast<void*>(row.payload));
        EXPECT_EQ(entry.id, row.id);
        EXPECT_EQ(entry.kind, row.kind);
        EXPECT_EQ(entry.key, row.key);
        EXPECT_EQ(entry.value, row.value);
    }
}

}  // namespace
