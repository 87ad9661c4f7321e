// The OBJ export and the JSON document write floats with a shortest-form
// writer of their own: its text must be std::to_chars' for every float.
#include <gtest/gtest.h>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include "app/output/shortest_float.h"

namespace {

std::string byLibrary(float value) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string written(float value) {
    char text[SHORTEST_FLOAT_ROOM];
    return std::string(text, writeShortestFloat(text, value));
}

float fromBits(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(ShortestFloat, SpelledAsToCharsWritesThem) {
    EXPECT_EQ(written(0.1f), "0.1");
    EXPECT_EQ(written(100.0f), "100");
    EXPECT_EQ(written(1e20f), "1e+20");
    EXPECT_EQ(written(-0.0f), "-0");
    EXPECT_EQ(written(0.001f), "0.001");    // as long as 1e-03: fixed wins the tie
    EXPECT_EQ(written(0.0001f), "1e-04");
    EXPECT_EQ(written(0.00001f), "1e-05");
    EXPECT_EQ(written(123456.0f), "123456");
    EXPECT_EQ(written(33871888.0f), "33871888");   // whole from 2^24 up: exact digits, not 33871890
    EXPECT_EQ(written(-FLT_MIN), "-1.1754944e-38");
    const float inf = std::numeric_limits<float>::infinity();
    for (float v : {FLT_MAX, FLT_MIN, FLT_TRUE_MIN, FLT_EPSILON, 16777216.0f, 16777217.0f, 1e10f, 1e11f, 99999992.0f,
                    100000000.0f, 1.5e-45f, 7.038531e-26f, inf, std::numeric_limits<float>::quiet_NaN()})
        for (float s : {v, -v}) EXPECT_EQ(written(s), byLibrary(s)) << byLibrary(s);
}

// Powers of two have a rounding interval closer below than above, the
// smallest subnormals have fewer than two digits, and whole numbers take
// their own route: all of those, with their neighbours, and every other
// bit pattern at a prime stride.
TEST(ShortestFloat, AgreesWithToCharsOverTheFloats) {
    for (std::uint32_t exponent = 0; exponent < 255; ++exponent) {
        std::uint32_t power = exponent << 23;
        for (std::uint32_t bits : {power, power + 1, power + 2, power - 1, power | 0x7FFFFFu})
            for (std::uint32_t sign : {0u, 0x80000000u}) {
                float v = fromBits(bits | sign);
                ASSERT_EQ(written(v), byLibrary(v)) << std::hex << (bits | sign);
            }
    }
    for (std::uint32_t subnormal = 1; subnormal < 4096; ++subnormal) {
        ASSERT_EQ(written(fromBits(subnormal)), byLibrary(fromBits(subnormal))) << subnormal;
    }
    for (std::uint32_t whole = 1; whole < (1u << 24); whole += 4099) {
        ASSERT_EQ(written(static_cast<float>(whole)), byLibrary(static_cast<float>(whole))) << whole;
    }
    for (std::uint64_t bits = 0; bits < 0x100000000u; bits += 1009) {
        float v = fromBits(static_cast<std::uint32_t>(bits));
        ASSERT_EQ(written(v), byLibrary(v)) << std::hex << bits;
    }
}

}  // namespace
