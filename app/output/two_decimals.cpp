#include "app/output/two_decimals.h"
#include <charconv>
#include <cmath>
#include <cstdint>
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
    text = writeSmallWhole(text, rounded / 100);
    text[0] = '.';
    text[1] = static_cast<char>('0' + rounded % 100 / 10);
    text[2] = static_cast<char>('0' + rounded % 10);
    return text + 3;
}
