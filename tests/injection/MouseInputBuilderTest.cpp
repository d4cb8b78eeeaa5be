#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

#include "InjectorTest.h"
#include "injection/MouseInputBuilder.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using TESSARIL_REMOTECONTROL_HOST::MouseInputBuilder;

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct MouseRecord {
    LONG dx = 0;
    LONG dy = 0;
    int32_t data = 0;
    DWORD flags = 0;

    bool operator==(const MouseRecord&) const = default;
};

void PrintTo(const MouseRecord& record, std::ostream* out)
{
    *out << "dx=" << record.dx << " dy=" << record.dy << " data=" << record.data << " flags=0x" << std::hex
         << record.flags << std::dec;
}

std::vector<MouseRecord> Build(const TESSARIL_SERVER_API::MouseEvent& event,
                               MouseInputBuilder::HostScreen screen = {1920, 1080, false})
{
    MouseInputBuilder builder(screen);
    builder.Build(event);
    std::vector<MouseRecord> records;
    for (UINT i = 0; i < builder.Count(); ++i) {
        const INPUT& input = builder.Records()[i];
        EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_MOUSE));
        EXPECT_EQ(input.mi.time, 0u);
        EXPECT_EQ(input.mi.dwExtraInfo, 0u);
        records.push_back({input.mi.dx, input.mi.dy, static_cast<int32_t>(input.mi.mouseData), input.mi.dwFlags});
    }
    return records;
}

TEST(MouseInputBuilderTest, PositionsBeyondTheFieldSaturateDxAndDy)
{
    const struct {
        const char* label;
        int64_t x, y;
        MouseRecord expected;
    } rows[] = {
        {"largest", kInt64Max, kInt64Max, {kInt32Max, kInt32Max, 0, 0x8001}},
        {"smallest", kInt64Min, kInt64Min, {kInt32Min, kInt32Min, 0, 0x8001}},
        {"first values past the field", 62'915'520, -62'915'521, {kInt32Max, kInt32Min, 0, 0x8001}},
        {"last values that fit", 62'915'519, -62'915'520, {2147483613, -2147483647, 0, 0x8001}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_THAT(Build(MouseEventBuilder().At(row.x, row.y), {1920, 1920, false}), ElementsAre(row.expected));
    }
}

TEST(MouseInputBuilderTest, HostileWheelDeltasSaturateSymmetricallyAndNaNIsNoStep)
{
    const double nan = std::nan("");
    const struct {
        const char* label;
        double deltaX, deltaY;
        std::vector<MouseRecord> expectedWheels;
    } rows[] = {
        {"NaN", nan, -nan, {}},
        {"infinity", kInf, kInf, {{0, 0, kInt32Max, 0x1000}, {0, 0, -kInt32Max, 0x0800}}},
        {"minus infinity", -kInf, -kInf, {{0, 0, -kInt32Max, 0x1000}, {0, 0, kInt32Max, 0x0800}}},
        {"largest finite", std::numeric_limits<double>::max(), -1e300,
         {{0, 0, kInt32Max, 0x1000}, {0, 0, kInt32Max, 0x0800}}},
        {"INT32_MIN keeps its inversion representable", -2147483648.0, -2147483648.0,
         {{0, 0, -kInt32Max, 0x1000}, {0, 0, kInt32Max, 0x0800}}},
        {"just inside", 2147483646.9, -2147483646.9, {{0, 0, 2147483646, 0x1000}, {0, 0, 2147483646, 0x0800}}},
        {"smallest subnormal", std::numeric_limits<double>::denorm_min(), -0.0, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        std::vector<MouseRecord> records = Build(MouseEventBuilder().At(0, 0).Wheel(row.deltaX, row.deltaY));
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records.front(), (MouseRecord{0, 0, 0, 0x8001}));
        records.erase(records.begin());
        EXPECT_THAT(records, ElementsAreArray(row.expectedWheels));
    }
}

TEST(MouseInputBuilderTest, RelativeMoveCarriesTheLowThirtyTwoBitsOfTheDelta)
{
    const struct {
        const char* label;
        int64_t deltaX, deltaY;
        MouseRecord expected;
    } rows[] = {
        {"small", 5, -7, {5, -7, 0, 0x0001}},
        {"above 32 bits", 0x1'0000'0005, -0x1'0000'0007, {5, -7, 0, 0x0001}},
        {"sign bit of the low half", 0x8000'0000, 0xFFFF'FFFF, {kInt32Min, -1, 0, 0x0001}},
        {"extremes", kInt64Max, kInt64Min, {-1, 0, 0, 0x0001}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_THAT(Build(MouseEventBuilder().At(960, 540).Delta(row.deltaX, row.deltaY), {1, 1, false}),
                    ElementsAre(row.expected));
    }
}

}  // namespace
