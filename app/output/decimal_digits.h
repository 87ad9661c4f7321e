// Decimal digits gathered in machine words, for the number writers: digits
// computed in all the lanes of a word at once and stored as whole words, in
// text order, instead of one division and one store per digit.
#pragma once
#include <cstdint>
#include <cstring>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "digit words assume a little-endian machine");

const std::uint64_t ASCII_ZEROS = 0x3030303030303030u;

// The number of decimal digits of n, 1 or more.
inline int digitCount(std::uint32_t n) {
    static const std::uint32_t POWERS[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
    // n | 1 has n's digits (a power of ten is even) and one digit for 0.
    int estimate = ((32 - __builtin_clz(n | 1)) * 1233) >> 12;   // floor(log10) or one less
    return estimate + ((n | 1) >= POWERS[estimate] ? 1 : 0);
}

// The eight digits of n (below 10^8), leading zeros included, as the bytes
// of a word in text order (little-endian): divisions by 10^4, 100 and 10
// done in all lanes at once.
inline std::uint64_t eightDigits(std::uint32_t n) {
    std::uint64_t x = (n / 10000) | (static_cast<std::uint64_t>(n % 10000) << 32);
    std::uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007Fu;   // x / 100 in each 32-bit lane
    x = hundreds | ((x - 100 * hundreds) << 16);
    std::uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000Fu;         // x / 10 in each 16-bit lane
    x = tens | ((x - 10 * tens) << 8);
    return x | ASCII_ZEROS;
}

inline void storeWord(char* text, std::uint64_t word) { std::memcpy(text, &word, sizeof word); }

// Writes n (below 10^8) without leading zeros at `text`, which has room for
// eight characters, and returns the end of what was written.
inline char* writeSmallWhole(char* text, std::uint32_t n) {
    int count = digitCount(n);
    storeWord(text, eightDigits(n) >> (8 * (8 - count)));
    return text + count;
}
