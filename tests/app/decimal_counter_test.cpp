// A number counted up in its decimal text reads as the number itself, on
// both sides of every carry into a new digit.
#include <gtest/gtest.h>
#include <cstdint>
#include <string>
#include "app/output/decimal_counter.h"

namespace {

TEST(DecimalCounter, CountsAsTheNumberItself) {
    DecimalCounter counter(0);
    char copy[DecimalCounter::COPY_SIZE];
    for (std::uint64_t n = 0; n <= 1000100; ++n) {
        ASSERT_EQ(counter.text(), std::to_string(n));
        ASSERT_EQ(std::string(copy, counter.copyTo(copy)), std::to_string(n));
        counter.increment();
    }
}

TEST(DecimalCounter, CarriesIntoANewDigitFromAnyStart) {
    for (std::uint64_t power = 10; power <= 10000000000000000000u; power *= 10) {
        DecimalCounter counter(power - 2);
        for (std::uint64_t n = power - 2; n <= power + 1; ++n) {
            ASSERT_EQ(counter.text(), std::to_string(n));
            counter.increment();
        }
        if (power > UINT64_MAX / 10) break;
    }
    DecimalCounter last(UINT64_MAX);
    EXPECT_EQ(last.text(), "18446744073709551615");
    last.increment();
    EXPECT_EQ(last.text(), "18446744073709551616");
    char copy[DecimalCounter::COPY_SIZE];
    EXPECT_EQ(std::string(copy, last.copyTo(copy)), "18446744073709551616");
}

}  // namespace
