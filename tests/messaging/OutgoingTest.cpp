#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "messaging/Notifier.h"
#include "messaging/TessarilServerApiRequester.h"

namespace {

using ::testing::ElementsAre;
using TESSARIL_REMOTECONTROL_HOST::CursorSample;

// The host application's entry points. Each call becomes one journal line,
// decoded during the call: the buffers a payload points to die when it returns.
std::vector<std::string> journal;
std::optional<int64_t> resultToWrite;  // into the result field, after decoding

std::string Quoted(const char* text)
{
    return text == nullptr ? "null" : '"' + std::string(text) + '"';
}

void DescribeCursorReport(std::ostream& line, TessarilCursorReportPayload& report)
{
    line << (report.samples == nullptr ? " null array" : "") << " count " << report.count << " result "
         << report.result;
    for (uint32_t i = 0; i < report.count; ++i) {
        const auto& s = report.samples[i];
        line << " [" << s.reserved0 << ' ' << s.cursorType << ' ' << s.x << ' ' << s.y << ' ' << s.screenWidth << ' '
             << s.screenHeight << ' ' << s.reserved1 << ']';
    }
    report.result = resultToWrite.value_or(report.result);
}

void Record(const char* entry, const char* sender, uint64_t id, void* payload)
{
    std::ostringstream line;
    line << entry << ' ' << id << ' ' << sender;
    if (id == 35650597) {
        auto& request = *static_cast<TessarilRegisterRequestPayload*>(payload);
        line << " text " << Quoted(request.text) << " result " << request.result;
        request.result = resultToWrite.value_or(request.result);
    } else if (id == 35650108) {
        DescribeCursorReport(line, *static_cast<TessarilCursorReportPayload*>(payload));
    } else if (id == 15600644) {
        const auto& report = *static_cast<const TessarilReportPayload*>(payload);
        line << " key " << Quoted(report.key) << " value " << Quoted(report.value);
    }
    journal.push_back(line.str());
}

bool TESSARIL_CDECL Send(const char* sender, uint64_t id, void* payload)
{
    Record("send", sender, id, payload);
    return true;
}

bool TESSARIL_CDECL Notify(const char* sender, uint64_t id, void* payload)
{
    Record("notify", sender, id, payload);
    return true;
}

CursorSample Sample(int64_t cursorType, int64_t x, int64_t y)
{
    CursorSample sample;
    sample.cursorType = cursorType;
    sample.x = x;
    sample.y = y;
    sample.screenWidth = 1920;
    sample.screenHeight = 1080;
    return sample;
}

class OutgoingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        journal.clear();
        resultToWrite.reset();
        requester.SetSendFunction(&Send);
        notifier.SetNotifyFunction(&Notify);
    }

    TessarilServerApiRequester requester;
    Notifier notifier;
};

TEST_F(OutgoingTest, EachMessageGoesThroughItsEntryPointWithSenderTextIdAndPayload)
{
    CursorSample odd = Sample(0x1'FFFF'FFFE, -300, 0x1'0000'0000);
    odd.reserved0 = -5;
    odd.reserved1 = 7;
    const std::string sender = " TESSARIL_REMOTECONTROL_HOST_uuid";
    struct Row {
        const char* label;
        std::function<void()> send;
        std::string line;
    };
    const Row rows[] = {
        {"register", [&] { requester.SendRegisterRequest("Überweisung"); },
         "send 35650597" + sender + " text \"Überweisung\" result 0"},
        {"register, empty text", [&] { requester.SendRegisterRequest(""); },
         "send 35650597" + sender + " text \"\" result 0"},
        {"unregister", [&] { requester.SendUnregisterRequest(); }, "send 35650233" + sender},
        {"cursor report", [&] { requester.SendCursorReport({odd, Sample(0x8000'0000, 5, 6), Sample(3, 1, 2)}); },
         "send 35650108" + sender + " count 3 result 0 [-5 -2 -300 4294967296 1920 1080 7]" +
             " [0 -2147483648 5 6 1920 1080 1] [0 3 1 2 1920 1080 1]"},
        {"cursor report, no samples", [&] { requester.SendCursorReport({}); },
         "send 35650108" + sender + " count 0 result 0"},
        {"channel available", [&] { notifier.SendChannelAvailable(); }, "notify 15600197" + sender},
        {"channel unavailable", [&] { notifier.SendChannelUnavailable(); }, "notify 15600375" + sender},
        {"report", [&] { notifier.SendReport("PacketDealTime", "-12"); },
         "notify 15600644" + sender + " key \"PacketDealTime\" value \"-12\""},
        {"report, empty texts", [&] { notifier.SendReport("", ""); },
         "notify 15600644" + sender + " key \"\" value \"\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        journal.clear();
        row.send();
        EXPECT_THAT(journal, ElementsAre(row.line));
    }
}

TEST_F(OutgoingTest, RequestResultIsTheLowHalfOfTheResultFieldSignExtended)
{
    struct Row {
        const char* label;
        std::optional<int64_t> written;
        int64_t expected;
    };
    const Row rows[] = {
        {"left untouched", std::nullopt, 0},
        {"high half ignored", 0x1'0000'0002, 2},
        {"low half all ones", 0xFFFF'FFFF, -1},
        {"low half sign bit", 0x7FFF'FFFF'8000'0000, INT32_MIN},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        resultToWrite = row.written;
        EXPECT_EQ(requester.SendRegisterRequest("x"), row.expected);
        EXPECT_EQ(requester.SendCursorReport({Sample(0, 0, 0)}), row.expected);
    }
}

}  // namespace
