// Page coordinates are written in integers where that is exact and by
// std::to_chars elsewhere: the text must be to_chars' in every case.
#include <gtest/gtest.h>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include "app/output/two_decimals.h"

namespace {

std::string byLibrary(double value) {
    char text[TWO_DECIMALS_SIZE];
    return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr);
}

std::string written(double value) {
    char text[TWO_DECIMALS_SIZE];
    return std::string(text, writeTwoDecimals(text, value));
}

TEST(TwoDecimals, SpelledAsToCharsWritesThem) {
    EXPECT_EQ(written(12.5), "12.50");
    EXPECT_EQ(written(-3.0), "-3.00");
    EXPECT_EQ(written(-0.0), "-0.00");
    EXPECT_EQ(written(-0.001), "-0.00");
    EXPECT_EQ(written(0.125), byLibrary(0.125));   // an exact halfway case
    EXPECT_EQ(written(1023.995), byLibrary(1023.995));
    const double limit = std::numeric_limits<double>::max();
    for (double v : {0.0, 0.004999, 0.005, 0.015, 0.025, 1.005, 2.675, 1e-300, 4.9e-324, 21474836.47, 21474836.485,
                     21474836.4851, 1e15, 123456789012.345, limit, -limit, std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        for (double s : {v, -v}) EXPECT_EQ(written(s), byLibrary(s)) << s;
}

TEST(TwoDecimals, AgreeWithToCharsOverPageCoordinatesAndHalfwayCases) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> page(-5000.0, 5000.0);
    for (int i = 0; i < 200000; ++i) {
        double v = page(random);
        ASSERT_EQ(written(v), byLibrary(v)) << v;
    }
    // Every eighth and every thousandth up to 1000: exact halves and the
    // doubles nearest to decimal halves, on both sides of them.
    for (int k = -8000; k <= 8000; ++k)
        for (double v : {k / 8.0, k / 1000.0 + 0.005, std::nextafter(k / 1000.0 + 0.005, 0.0),
                         std::nextafter(k / 1000.0 + 0.005, 1e9)})
            ASSERT_EQ(written(v), byLibrary(v)) << v;
    // Every hundredth across the whole parts of one to five digits, a little
    // above and a little below, where the short form hands over to the long.
    for (int n = 0; n <= 1100000; ++n)
        for (double v : {n / 100.0 + 0.003, n / 100.0 - 0.003})
            ASSERT_EQ(written(v), byLibrary(v)) << v;
    for (int e = -30; e <= 30; ++e) {
        double v = std::ldexp(1.0, e) * 3.0;
        ASSERT_EQ(written(v), byLibrary(v)) << v;
    }
}

}  // namespace
