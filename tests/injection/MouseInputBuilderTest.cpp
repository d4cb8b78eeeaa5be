#include <cmath>
#include <limits>

#include "InjectorTest.h"
#include "injection/MouseInputBuilder.h"

namespace {

using TESSARIL_REMOTECONTROL_HOST::MouseInputBuilder;

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kBig = std::numeric_limits<int32_t>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The built records in the journal's form.
Journal Build(const MouseEvent& event, MouseInputBuilder::HostScreen screen)
{
    MouseInputBuilder builder(screen);
    builder.Build(event);
    Journal records;
    for (UINT i = 0; i < builder.Count(); ++i) {
        const INPUT& input = builder.Records()[i];
        EXPECT_TRUE(input.type == INPUT_MOUSE && input.mi.time == 0 && input.mi.dwExtraInfo == 0);
        records.push_back(Rec(input.mi.dx, input.mi.dy, static_cast<int32_t>(input.mi.mouseData), input.mi.dwFlags));
    }
    return records;
}

// The boundaries of the 32-bit fields: points past them saturate, the
// horizontal wheel step at the int32 limits, the negated vertical one
// symmetrically (NaN is no step), relative moves keep the delta's low
// 32 bits. The asan and ubsan builds report any row that overflows.
TEST(MouseInputBuilderTest, ValuesBeyondTheThirtyTwoBitFieldsSaturateOrWrapAsDocumented)
{
    const MouseInputBuilder::HostScreen square{1920, 1920, false};
    const MouseInputBuilder::HostScreen onePixel{1, 1, false};
    const std::string origin = Rec(0, 0, 0, 0x8001);
    const struct {
        const char* label;
        MouseEvent event;
        MouseInputBuilder::HostScreen screen;
        Journal expected;
    } rows[] = {
        {"largest point", MouseEventBuilder().At(kMax, kMax), square, {Rec(kBig, kBig, 0, 0x8001)}},
        {"smallest point", MouseEventBuilder().At(kMin, kMin), square, {Rec(-kBig - 1, -kBig - 1, 0, 0x8001)}},
        {"first values past the field", MouseEventBuilder().At(62'915'520, -62'915'521), square,
         {Rec(kBig, -kBig - 1, 0, 0x8001)}},
        {"last values that fit", MouseEventBuilder().At(62'915'519, -62'915'520), square,
         {Rec(2147483613, -2147483647, 0, 0x8001)}},
        {"largest finite wheels", MouseEventBuilder().At(0, 0).Wheel(std::numeric_limits<double>::max(), -1e300),
         square, {origin, Btn(0x1000, kBig), Btn(0x0800, kBig)}},
        {"INT32_MIN wheels: horizontal exact, vertical keeps the inversion representable",
         MouseEventBuilder().At(0, 0).Wheel(-2147483648.0, -2147483648.0), square,
         {origin, Btn(0x1000, -kBig - 1), Btn(0x0800, kBig)}},
        {"horizontal wheel truncates toward zero onto INT32_MIN", MouseEventBuilder().At(0, 0).Wheel(-2147483648.9, 0),
         square, {origin, Btn(0x1000, -kBig - 1)}},
        {"wheels just inside", MouseEventBuilder().At(0, 0).Wheel(2147483646.9, -2147483646.9), square,
         {origin, Btn(0x1000, 2147483646), Btn(0x0800, 2147483646)}},
        {"NaN wheels are no steps", MouseEventBuilder().At(0, 0).Wheel(std::nan(""), std::nan("")), square, {origin}},
        {"infinite wheels are the largest steps", MouseEventBuilder().At(0, 0).Wheel(kInf, kInf), square,
         {origin, Btn(0x1000, kBig), Btn(0x0800, -kBig)}},
        {"negative infinite wheels", MouseEventBuilder().At(0, 0).Wheel(-kInf, -kInf), square,
         {origin, Btn(0x1000, -kBig - 1), Btn(0x0800, kBig)}},
        {"subnormal and negative zero wheels are no steps",
         MouseEventBuilder().At(0, 0).Wheel(std::numeric_limits<double>::denorm_min(), -0.0), square, {origin}},
        {"relative, small", MouseEventBuilder().Delta(5, -7), onePixel, {Rec(5, -7, 0, 0x0001)}},
        {"relative, above 32 bits", MouseEventBuilder().Delta(0x1'0000'0005, -0x1'0000'0007), onePixel,
         {Rec(5, -7, 0, 0x0001)}},
        {"relative, sign bit of the low half", MouseEventBuilder().Delta(0x8000'0000, 0xFFFF'FFFF), onePixel,
         {Rec(-kBig - 1, -1, 0, 0x0001)}},
        {"relative, extremes", MouseEventBuilder().Delta(kMax, kMin), onePixel, {Rec(-1, 0, 0, 0x0001)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(Build(row.event, row.screen), row.expected);
    }
}

}  // namespace
