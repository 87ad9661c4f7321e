// A whole number kept as its decimal text and counted up in place. A chain
// of OBJ line elements names each vertex after the one before, millions of
// times: carrying a digit is cheaper than converting the number anew.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

class DecimalCounter {
public:
    explicit DecimalCounter(std::uint64_t start) {
        std::memset(digits, '0', sizeof digits);
        first = SIZE;
        do {
            digits[--first] = static_cast<char>('0' + start % 10);
            start /= 10;
        } while (start != 0);
    }

    std::string_view text() const { return {digits + first, static_cast<std::size_t>(SIZE - first)}; }

    // Copies the text to `at`, which has room for COPY_SIZE characters, as
    // one block of that size (no call to measure and copy a few bytes), and
    // returns the end of the text there.
    static const int COPY_SIZE = 24;
    char* copyTo(char* at) const {
        std::memcpy(at, digits + first, COPY_SIZE);
        return at + (SIZE - first);
    }

    void increment() {
        int i = SIZE - 1;
        while (digits[i] == '9') digits[i--] = '0';
        // The zeros before the number make room for a carry into a new digit.
        ++digits[i];
        first = std::min(first, i);
    }

private:
    // 2^64 - 1 has twenty digits; one more for the carry past it, and what
    // a block copy from the first digit reads beyond the last.
    static const int SIZE = 21;
    char digits[SIZE + COPY_SIZE];
    int first;
};
