// Parameter blocks of the host stand-in: constant and keyed values, integer
// rounding, validity narrowing, change messages and cloning.
#include <climits>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include "max.h"

namespace {

const ParamBlockDescID kDesc[] = {{TYPE_INT, nullptr, TRUE, 0}, {TYPE_FLOAT, nullptr, TRUE, 1}};

struct BlockDeleter {
    void operator()(ReferenceTarget* b) const { b->DeleteThis(); }
};
typedef std::unique_ptr<IParamBlock, BlockDeleter> BlockPtr;

BlockPtr makeBlock() { return BlockPtr(CreateParameterBlock(kDesc, 2, 6)); }

int intAt(IParamBlock& b, int i, TimeValue t) {
    int v = -99;
    Interval iv = FOREVER;
    EXPECT_TRUE(b.GetValue(i, t, v, iv));
    return v;
}

struct RoundCase {
    const char* name;
    TimeValue t;
    int expected;
};
void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.name; }

// Keys 0 at time 0 and 3 at time 100: the value at t is 3t/100.
class IntRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(IntRounding, RoundsTheInterpolatedValueToNearest) {
    BlockPtr block = makeBlock();
    block->SetKeys(0, {{100, 3.0f}, {0, 0.0f}});
    EXPECT_EQ(intAt(*block, 0, GetParam().t), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    KeysZeroAndThree, IntRounding,
    ::testing::Values(RoundCase{"BeforeFirstKey", -50, 0}, RoundCase{"ThreeTenthsDown", 10, 0},
                      RoundCase{"JustPastHalfUp", 17, 1}, RoundCase{"HalfAwayFromZero", 50, 2},
                      RoundCase{"JustBelowHalfDown", 83, 2}, RoundCase{"AtLastKey", 100, 3},
                      RoundCase{"AfterLastKey", 4000, 3}),
    [](const ::testing::TestParamInfo<RoundCase>& p) { return std::string(p.param.name); });

TEST(ParamBlock, StartsAtZeroAndStaysConstantForever) {
    BlockPtr block = makeBlock();
    float f = -1.0f;
    Interval iv = FOREVER;
    ASSERT_TRUE(block->GetValue(1, 500, f, iv));
    EXPECT_EQ(f, 0.0f);

    block->SetValue(0, 500, 2);
    EXPECT_EQ(intAt(*block, 0, -100000), 2);  // no keys: the value holds at every time
    iv = FOREVER;
    block->GetValue(0, 7, f, iv);
    EXPECT_EQ(iv, FOREVER);
}

TEST(ParamBlock, KeyedValueNarrowsValidityLikeATransform) {
    BlockPtr block = makeBlock();
    block->SetKeys(1, {{100, 1.0f}, {200, 2.0f}});
    float f = 0.0f;
    Interval before = FOREVER, between = FOREVER, after = FOREVER;
    block->GetValue(1, 0, f, before);
    block->GetValue(1, 150, f, between);
    EXPECT_EQ(f, 1.5f);
    block->GetValue(1, 300, f, after);
    EXPECT_EQ(before, Interval(TIME_NegInfinity, 100));
    EXPECT_EQ(between, Interval(150, 150));
    EXPECT_EQ(after, Interval(200, TIME_PosInfinity));
}

TEST(ParamBlock, SettingAnAnimatedValueAddsOrReplacesAKey) {
    BlockPtr block = makeBlock();
    block->SetKeys(1, {{0, 0.0f}, {100, 10.0f}});

    block->SetValue(1, 50, 20.0f);  // new key in the middle
    float f = 0.0f;
    Interval iv = FOREVER;
    block->GetValue(1, 25, f, iv);
    EXPECT_EQ(f, 10.0f);

    block->SetValue(1, 100, 0.0f);  // replaces the last key
    block->GetValue(1, 75, f, iv);
    EXPECT_EQ(f, 10.0f);
}

TEST(ParamBlock, CloneIsIndependentOfTheOriginal) {
    BlockPtr block = makeBlock();
    block->SetValue(0, 0, 3);
    block->SetKeys(1, {{0, 1.0f}, {10, 2.0f}});
    RemapDir remap;
    BlockPtr copy(static_cast<IParamBlock*>(block->Clone(remap)));

    block->SetValue(0, 0, 1);
    block->SetKeys(1, {});

    EXPECT_EQ(copy->GetVersion(), 6u);
    EXPECT_EQ(copy->NumParams(), 2);
    EXPECT_EQ(copy->GetParameterType(1), TYPE_FLOAT);
    EXPECT_EQ(intAt(*copy, 0, 0), 3);
    EXPECT_TRUE(copy->IsAnimated(1));
    EXPECT_FALSE(block->IsAnimated(1));
}

// The block kept constants as floats: 16777217 read back as 16777216 and
// 2147483647 as -2147483648. A host's integer parameter holds any int.
TEST(ParamBlock, IntegerConstantKeepsEveryInt) {
    BlockPtr block = makeBlock();
    for (int value : {INT_MAX, INT_MIN, 16777217, -16777217, INT_MAX - 1, 0}) {
        block->SetValue(0, 0, value);
        EXPECT_EQ(intAt(*block, 0, 0), value);
    }
    // A float parameter keeps the float it was given, also read as an int.
    block->SetValue(1, 0, 0.1f);
    float f = 0.0f;
    Interval iv = FOREVER;
    block->GetValue(1, 0, f, iv);
    EXPECT_EQ(f, 0.1f);
    EXPECT_EQ(intAt(*block, 1, 0), 0);
}

// Keys are floats and may lie beyond the int range; read as an int they
// give its nearest end, not whatever the conversion would make of them.
TEST(ParamBlock, IntegerBeyondTheRangeGivesItsNearestEnd) {
    BlockPtr block = makeBlock();
    block->SetKeys(0, {{0, 1e30f}, {100, -1e30f}});
    EXPECT_EQ(intAt(*block, 0, 0), INT_MAX);
    EXPECT_EQ(intAt(*block, 0, 100), INT_MIN);
    block->SetKeys(0, {{0, 2147483520.0f}, {100, 3e9f}});  // the largest float below 2^31, then beyond
    EXPECT_EQ(intAt(*block, 0, 0), 2147483520);
    EXPECT_EQ(intAt(*block, 0, 100), INT_MAX);
}

TEST(ParamBlock, RejectsMissingDescriptorsAndUnknownIndices) {
    EXPECT_EQ(CreateParameterBlock(kDesc, 0, 1), nullptr);
    EXPECT_EQ(CreateParameterBlock(nullptr, 2, 1), nullptr);
    BlockPtr block = makeBlock();
    int v = 7;
    Interval iv = FOREVER;
    EXPECT_FALSE(block->GetValue(2, 0, v, iv));
    EXPECT_FALSE(block->GetValue(-1, 0, v, iv));
    EXPECT_FALSE(block->SetValue(2, 0, 1));
    EXPECT_EQ(v, 7);
}

}  // namespace
