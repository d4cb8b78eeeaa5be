#include "injection/MouseInputBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "JournalLines.h"
#include "ViewerPayloads.h"
#include "messaging/RecordCopy.h"

namespace {

using TESSARIL_REMOTECONTROL_HOST::MouseInputBuilder;
using Viewer = TESSARIL_HOST_APP::MouseEvent;
using Records = std::vector<std::string>;

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kBig = std::numeric_limits<int32_t>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A point already converted to the screen; the viewport plays no part here.
Viewer At(int64_t x, int64_t y) { return Viewer(x, y, 1, 1); }

// The built records in the journal's form.
Records Build(const Viewer& event, MouseInputBuilder::HostScreen screen)
{
    MouseInputBuilder builder(screen);
    builder.Build(TESSARIL_SERVER_API::ToMouseEvent(event));
    Records records;
    for (UINT i = 0; i < builder.Count(); ++i) {
        const INPUT& input = builder.Records()[i];
        EXPECT_TRUE(input.type == INPUT_MOUSE && input.mi.time == 0 && input.mi.dwExtraInfo == 0);
        records.push_back(Rec(input.mi.dx, input.mi.dy, static_cast<int32_t>(input.mi.mouseData), input.mi.dwFlags));
    }
    return records;
}

struct Row {
    const char* label;
    Viewer event;
    MouseInputBuilder::HostScreen screen;
    Records expected;
};

void Check(const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(Build(row.event, row.screen), row.expected);
    }
}

const MouseInputBuilder::HostScreen kPrimary{1920, 1080, false};
const MouseInputBuilder::HostScreen kSwapped{1920, 1080, true};
const std::string kCentre = Rec(32768, 32768, 0, 0x8001);

// Moves are normalised against the primary display (65535 / extent, rounded),
// points off it passed on; the button record follows the move for event types
// 1 and 2 only; with swapped buttons the other of left and right goes out.
TEST(MouseInputBuilderTest, MovesAndButtonsBecomeTheirRecords)
{
    Check({
        {"last pixel", At(1919, 1079), kPrimary, {Rec(65501, 65474, 0, 0x8001)}},
        {"beyond the display, passed on", At(2500, 2000), kPrimary, {Rec(85332, 121361, 0, 0x8001)}},
        {"left of the display, truncated toward zero", At(-5, 10), kPrimary, {Rec(-170, 607, 0, 0x8001)}},
        {"right up", At(960, 540).Button(3, false, 2), kPrimary, {kCentre, Btn(0x0010)}},
        {"first X button down", At(960, 540).Button(4, true), kPrimary, {kCentre, Btn(0x0080, 1)}},
        {"second X button up", At(960, 540).Button(5, false, 2), kPrimary, {kCentre, Btn(0x0100, 2)}},
        {"button 6 is the left one", At(960, 540).Button(6, true), kPrimary, {kCentre, Btn(0x0002)}},
        {"button 0 is the left one", At(960, 540).Button(0, false, 2), kPrimary, {kCentre, Btn(0x0004)}},
        {"type 3 moves only", At(960, 540).Button(1, true, 3), kPrimary, {kCentre}},
        {"swapped: right release becomes left", At(960, 540).Button(3, false), kSwapped, {kCentre, Btn(0x0004)}},
        {"swapped: middle stays", At(960, 540).Button(2, true), kSwapped, {kCentre, Btn(0x0020)}},
        {"swapped: unknown buttons stay left", At(960, 540).Button(7, true), kSwapped, {kCentre, Btn(0x0002)}},
        {"vertical fraction is no step", At(960, 540).Wheel(0, 0.7), kPrimary, {kCentre}},
    });
}

// The boundaries of the 32-bit fields: points past them saturate, the
// horizontal wheel step at the int32 limits, the negated vertical one
// symmetrically (NaN is no step); a display one pixel wide or tall takes the
// relative move, which keeps the delta's low 32 bits. The asan and ubsan builds
// report any row that overflows.
TEST(MouseInputBuilderTest, ValuesBeyondTheThirtyTwoBitFieldsSaturateOrWrapAsDocumented)
{
    const MouseInputBuilder::HostScreen square{1920, 1920, false};
    const MouseInputBuilder::HostScreen onePixel{1, 1, false};
    const std::string origin = Rec(0, 0, 0, 0x8001);
    Check({
        {"largest point", At(kMax, kMax), square, {Rec(kBig, kBig, 0, 0x8001)}},
        {"smallest point", At(kMin, kMin), square, {Rec(-kBig - 1, -kBig - 1, 0, 0x8001)}},
        {"first values past the field", At(62'915'520, -62'915'521), square, {Rec(kBig, -kBig - 1, 0, 0x8001)}},
        {"last values that fit", At(62'915'519, -62'915'520), square, {Rec(2147483613, -2147483647, 0, 0x8001)}},
        {"largest finite wheels", At(0, 0).Wheel(std::numeric_limits<double>::max(), -1e300), square,
         {origin, Btn(0x1000, kBig), Btn(0x0800, kBig)}},
        {"INT32_MIN wheels: horizontal exact, vertical keeps the inversion representable",
         At(0, 0).Wheel(-2147483648.0, -2147483648.0), square, {origin, Btn(0x1000, -kBig - 1), Btn(0x0800, kBig)}},
        {"horizontal wheel truncates toward zero onto INT32_MIN", At(0, 0).Wheel(-2147483648.9, 0), square,
         {origin, Btn(0x1000, -kBig - 1)}},
        {"wheels just inside", At(0, 0).Wheel(2147483646.9, -2147483646.9), square,
         {origin, Btn(0x1000, 2147483646), Btn(0x0800, 2147483646)}},
        {"NaN wheels are no steps", At(0, 0).Wheel(std::nan(""), std::nan("")), square, {origin}},
        {"infinite wheels are the largest steps", At(0, 0).Wheel(kInf, kInf), square,
         {origin, Btn(0x1000, kBig), Btn(0x0800, -kBig)}},
        {"negative infinite wheels", At(0, 0).Wheel(-kInf, -kInf), square,
         {origin, Btn(0x1000, -kBig - 1), Btn(0x0800, kBig)}},
        {"subnormal and negative zero wheels are no steps",
         At(0, 0).Wheel(std::numeric_limits<double>::denorm_min(), -0.0), square, {origin}},
        {"relative, one pixel tall", At(0, 0).Delta(5, -7), {1920, 1, false}, {Rec(5, -7, 0, 0x0001)}},
        {"relative, one pixel wide", At(0, 0).Delta(5, -7), {1, 1080, false}, {Rec(5, -7, 0, 0x0001)}},
        {"relative, above 32 bits", At(0, 0).Delta(0x1'0000'0005, -0x1'0000'0007), onePixel, {Rec(5, -7, 0, 0x0001)}},
        {"relative, sign bit of the low half", At(0, 0).Delta(0x8000'0000, 0xFFFF'FFFF), onePixel,
         {Rec(-kBig - 1, -1, 0, 0x0001)}},
        {"relative, extremes", At(0, 0).Delta(kMax, kMin), onePixel, {Rec(-1, 0, 0, 0x0001)}},
    });
}

}  // namespace
