#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "OutgoingMessageRecorder.h"

namespace {

using namespace TESSARIL_HOST_APP;

// The plugin sets result fields to 0 before sending; a stale value shows
// whether the host really answers.
constexpr int64_t kStale = 99;

TEST(OutgoingMessageRecorderTest, RequestsAreDecodedAndAnsweredWithSuccess)
{
    TessarilRegisterRequestPayload registration{"demo-viewer", kStale};
    const MessageOutEntry registered = OutgoingMessageRecorder::Decode(TESSARIL_MSG_REGISTER_REQUEST, &registration);
    EXPECT_EQ(registered.kind, OutgoingKind::Register);
    EXPECT_EQ(registered.text, "demo-viewer");
    EXPECT_EQ(registration.result, 0);

    const TessarilMouseCursorFFI samples[] = {{0, 8, 1, 2, 800, 600, 1}, {0, 0, 3, 4, 800, 600, 1}};
    TessarilCursorReportPayload report{samples, 2, kStale};
    const MessageOutEntry cursor = OutgoingMessageRecorder::Decode(TESSARIL_MSG_CURSOR_REPORT, &report);
    EXPECT_EQ(cursor.kind, OutgoingKind::CursorReport);
    ASSERT_EQ(cursor.samples.size(), 2u);
    EXPECT_EQ(cursor.samples[1].x, 3);
    EXPECT_EQ(report.result, 0);

    const CursorBatchSummary summary = CursorBatchSummary::Of(cursor.samples);
    EXPECT_EQ(summary.first.cursorType, 8);
    EXPECT_EQ(summary.last.y, 4);
    EXPECT_THAT(summary.cursorTypes, testing::ElementsAre(8, 0));
}

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
