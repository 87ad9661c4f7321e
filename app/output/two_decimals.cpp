#include "app/output/two_decimals.h"
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Up to here a hundredfold value is within 2^-22 of the exact product, far
// closer than the margin kept from a halfway case below.
const double FAST_LIMIT = 2147483648.0;
const double HALFWAY_MARGIN = 1e-6;
// Hundredths below this have at most four digits before the point: every
// coordinate of a page 1024 pixels wide.
const std::uint32_t SHORT_LIMIT = 1000000;

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "digit words assume a little-endian machine");

// The four digits of n (below 10^4) as the bytes of a word in text order:
// divisions by 100 and by 10 done in both lanes at once.
std::uint32_t fourDigits(std::uint32_t n) {
    std::uint32_t x = (n / 100) | ((n % 100) << 16);
    std::uint32_t tens = ((x * 103) >> 10) & 0x000F000Fu;   // x / 10 in each 16-bit lane
    return (tens | ((x - 10 * tens) << 8)) | 0x30303030u;
}

// "w.ff" for hundredths below SHORT_LIMIT, stored as one word: the digits
// of the whole part without leading zeros, the point, the two decimals.
char* writeShort(char* text, std::uint32_t hundredths) {
    std::uint32_t whole = hundredths / 100, cents = hundredths % 100;
    int count = 1 + (whole >= 10) + (whole >= 100) + (whole >= 1000);
    std::uint64_t word = fourDigits(whole) >> (8 * (4 - count));
    std::uint64_t decimals = '.' | (static_cast<std::uint64_t>('0' + cents / 10) << 8) |
                             (static_cast<std::uint64_t>('0' + cents % 10) << 16);
    word |= decimals << (8 * count);
    std::memcpy(text, &word, sizeof word);
    return text + count + 3;
}

}  // namespace

char* writeTwoDecimals(char* text, double value) {
    double hundredths = std::fabs(value) * 100.0;
    // Beyond the limit or not finite: the exact route.
    if (!(hundredths < FAST_LIMIT))
        return std::to_chars(text, text + TWO_DECIMALS_SIZE, value, std::chars_format::fixed, 2).ptr;
    auto whole = static_cast<std::uint32_t>(hundredths);   // truncation is floor here
    double fraction = hundredths - whole;
    // So near halfway between two hundredths that the product's rounding
    // could decide: the exact route too.
    if (std::fabs(fraction - 0.5) < HALFWAY_MARGIN)
        return std::to_chars(text, text + TWO_DECIMALS_SIZE, value, std::chars_format::fixed, 2).ptr;
    std::uint32_t rounded = whole + (fraction > 0.5 ? 1 : 0);
    if (std::signbit(value)) *text++ = '-';
    if (rounded < SHORT_LIMIT) return writeShort(text, rounded);
    text = std::to_chars(text, text + 24, rounded / 100).ptr;
    *text++ = '.';
    *text++ = static_cast<char>('0' + rounded % 100 / 10);
    *text++ = static_cast<char>('0' + rounded % 10);
    return text;
}
