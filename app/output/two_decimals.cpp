#include "app/output/two_decimals.h"
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// Up to here a hundredfold value is within 2^-22 of the exact product, far
// closer than the margin kept from a halfway case below.
const double FAST_LIMIT = 2147483648.0;
const double HALFWAY_MARGIN = 1e-6;

}  // namespace

char* writeTwoDecimals(char* text, double value) {
    double hundredths = std::fabs(value) * 100.0;
    double whole = std::floor(hundredths);
    double fraction = hundredths - whole;
    // Beyond the limit, not finite, or so near halfway between two
    // hundredths that the product's rounding could decide: the exact route.
    if (!(hundredths < FAST_LIMIT) || std::fabs(fraction - 0.5) < HALFWAY_MARGIN)
        return std::to_chars(text, text + TWO_DECIMALS_SIZE, value, std::chars_format::fixed, 2).ptr;
    std::uint64_t rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (std::signbit(value)) *text++ = '-';
    text = std::to_chars(text, text + 24, rounded / 100).ptr;
    *text++ = '.';
    *text++ = static_cast<char>('0' + rounded % 100 / 10);
    *text++ = static_cast<char>('0' + rounded % 10);
    return text;
}
