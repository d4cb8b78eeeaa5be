#include <gtest/gtest.h>

#include "JournalQueries.h"
#include "PluginSessionTest.h"
#include "TestWindow.h"

namespace {

constexpr RECT kSharedRect{150, 120, 650, 520};
constexpr int64_t kWidth = kSharedRect.right - kSharedRect.left;
constexpr int64_t kHeight = kSharedRect.bottom - kSharedRect.top;
constexpr int64_t kIBeam = 8;
constexpr size_t kBatch = 10;

bool EndsOverText(const std::vector<RecordedMessage>& reports)
{
    return !reports.empty() && !reports.back().samples.empty() && reports.back().samples.back().cursorType == kIBeam;
}

using CursorReportTest = PluginSessionTest;

// The edit control belongs to this process: under Wine a standard cursor has
// one handle per process, so another program's I-beam reads as no known type
// (tests/wine-e2e/README.md).
TEST_F(CursorReportTest, BatchesOfTenArriveOnEventLoopWithIBeamOverEditAndWindowPositions)
{
    TestWindow shared(ui, {L"TessarilE2eShared", L"Shared editor", kSharedRect, 0, true});
    // Wine shows the cursor of the foreground window's thread.
    SetForegroundWindow(shared.Handle());
    ASSERT_EQ(StartWindow(shared.Handle()), TESSARIL_RESULT_DONE);

    // Scale 1: the viewport has the window's size.
    Move(210, 230, kWidth, kHeight);
    ASSERT_TRUE(Eventually([&] { return EndsOverText(recorder.CursorReports()); }))
        << "no cursor sample showed the I-beam";
    const size_t seen = recorder.CursorReports().size();
    const auto reports = recorder.WaitForCursorReports(seen + 3, std::chrono::seconds(5));
    ASSERT_EQ(reports.size(), seen + 3);

    for (const RecordedMessage& report : reports) {
        EXPECT_EQ(report.thread, loop.LoopThreadId());
        EXPECT_EQ(report.sender, TESSARIL_SENDER_TEXT);
        EXPECT_EQ(report.samples.size(), kBatch);
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    for (const TessarilMouseCursorFFI& sample : reports.back().samples) {
        EXPECT_EQ(sample.cursorType, kIBeam);
        EXPECT_EQ(sample.x, cursor.x - kSharedRect.left);
        EXPECT_EQ(sample.y, cursor.y - kSharedRect.top);
        EXPECT_EQ(sample.screenWidth, kWidth);
        EXPECT_EQ(sample.screenHeight, kHeight);
    }
}

}  // namespace
