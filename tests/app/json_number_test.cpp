// Floats written to JSON read back bit for bit, in their shortest decimal form.
#include <gtest/gtest.h>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include "app/output/json_number.h"

namespace {

std::uint32_t bitsOf(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

// Writes the float as the program does and reads it back as a float from the text.
float throughJsonText(float f) {
    std::string text = nlohmann::ordered_json(roundTripDouble(f)).dump();
    return static_cast<float>(std::strtod(text.c_str(), nullptr));
}

class JsonNumberRoundTrip : public ::testing::TestWithParam<float> {};

TEST_P(JsonNumberRoundTrip, ReadsBackBitForBit) {
    float f = GetParam();
    EXPECT_EQ(bitsOf(throughJsonText(f)), bitsOf(f)) << "float " << f;
}

INSTANTIATE_TEST_SUITE_P(Values, JsonNumberRoundTrip,
                         ::testing::Values(0.0f, -0.0f, 0.1f, 1.0f / 3.0f, -2.5f, 43.30127f, 16777217.0f, FLT_MAX,
                                           -FLT_MAX, FLT_MIN, std::numeric_limits<float>::denorm_min(),
                                           FLT_EPSILON, 1e-30f, 123456.789f));

TEST(JsonNumber, RandomFloatsReadBackBitForBit) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::uint32_t> anyBits;
    int checked = 0;
    while (checked < 20000) {
        std::uint32_t bits = anyBits(random);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        if (!std::isfinite(f)) continue;
        ASSERT_EQ(bitsOf(throughJsonText(f)), bits) << "float " << f;
        ++checked;
    }
}

// The reason for the conversion: a plain widening would print 0.1f as 0.10000000149011612.
TEST(JsonNumber, PrintsTheShortestDecimal) {
    EXPECT_EQ(nlohmann::ordered_json(roundTripDouble(0.1f)).dump(), "0.1");
    EXPECT_EQ(nlohmann::ordered_json(roundTripDouble(43.30127f)).dump(), "43.30127");
    EXPECT_EQ(pointToJson(Point3(0.1f, -2.5f, 100.0f)).dump(), "[0.1,-2.5,100.0]");
}

// JSON has no infinities or not-a-number; the writer shows them as null rather than failing.
TEST(JsonNumber, NonFiniteCoordinatesPrintAsNull) {
    float inf = std::numeric_limits<float>::infinity();
    float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(pointToJson(Point3(inf, -inf, nan)).dump(), "[null,null,null]");
}

}  // namespace
