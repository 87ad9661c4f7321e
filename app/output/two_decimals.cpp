#include "app/output/two_decimals.h"
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include "app/output/decimal_digits.h"

namespace {

// Up to here a hundredfold value is within 2^-22 of the exact product, far
// closer than the margin kept from a halfway case below; its whole part has
// at most eight digits.
const double FAST_LIMIT = 2147483648.0;
const double HALFWAY_MARGIN = 1e-6;

char* writeExactly(char* text, double value) {
    return std::to_chars(text, text + TWO_DECIMALS_SIZE, value, std::chars_format::fixed, 2).ptr;
}

// "00" to "99": two digits at a time.
struct DigitPairs {
    char pairs[100][2];
    constexpr DigitPairs() : pairs() {
        for (int n = 0; n < 100; ++n) {
            pairs[n][0] = static_cast<char>('0' + n / 10);
            pairs[n][1] = static_cast<char>('0' + n % 10);
        }
    }
    const char* operator[](std::uint32_t n) const { return pairs[n]; }
};
constexpr DigitPairs DIGIT_PAIRS;

// A page's coordinates are below a thousand pixels: their whole part in
// one or two pieces from the table.
char* writeBelowThousand(char* text, std::uint32_t n) {
    if (n < 10) {
        text[0] = static_cast<char>('0' + n);
        return text + 1;
    }
    if (n < 100) {
        std::memcpy(text, DIGIT_PAIRS[n], 2);
        return text + 2;
    }
    std::uint32_t hundreds = n / 100;
    text[0] = static_cast<char>('0' + hundreds);
    std::memcpy(text + 1, DIGIT_PAIRS[n - 100 * hundreds], 2);
    return text + 3;
}

}  // namespace

char* writeTwoDecimals(char* text, double value) {
    double hundredths = std::fabs(value) * 100.0;
    // Beyond the limit or not finite: the exact route.
    if (!(hundredths < FAST_LIMIT)) return writeExactly(text, value);
    auto whole = static_cast<std::uint32_t>(hundredths);   // truncation is floor here
    double fraction = hundredths - whole;
    // So near halfway between two hundredths that the product's rounding
    // could decide: the exact route too.
    if (std::fabs(fraction - 0.5) < HALFWAY_MARGIN) return writeExactly(text, value);
    std::uint32_t rounded = whole + (fraction > 0.5 ? 1 : 0);
    if (std::signbit(value)) *text++ = '-';
    std::uint32_t units = rounded / 100;
    text = units < 1000 ? writeBelowThousand(text, units) : writeSmallWhole(text, units);
    text[0] = '.';
    std::memcpy(text + 1, DIGIT_PAIRS[rounded - 100 * units], 2);
    return text + 3;
}
