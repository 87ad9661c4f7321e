// Text gathered in 64 KiB pieces reaches the stream whole and in order,
// whatever the sizes of what is written and wherever a piece ends.
#include <gtest/gtest.h>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>
#include <sstream>
#include "app/output/output_text.h"
#include "app/output/shortest_float.h"
#include "app/output/two_decimals.h"

namespace {

TEST(OutputText, PiecesOfEverySizeArriveInOrderAcrossPieceEnds) {
    std::mt19937 random(3);
    std::ostringstream stream;
    std::string expected;
    {
        OutputText text(stream);
        for (int i = 0; i < 20000; ++i) {
            switch (random() % 5) {
                case 0: {
                    char c = static_cast<char>('a' + random() % 26);
                    text << c;
                    expected += c;
                    break;
                }
                case 1: {
                    // Now and then longer than a whole piece.
                    std::size_t size = random() % 60 == 0 ? 70000 + random() % 70000 : random() % 300;
                    std::string run(size, static_cast<char>('A' + random() % 26));
                    text << run;
                    expected += run;
                    break;
                }
                case 2: {
                    // Indices of every length up to past the eight digits of one word, and large counts.
                    std::int64_t n = random() % 2 ? static_cast<std::int64_t>(random() % 200000000) >> (random() % 28)
                                                  : static_cast<std::int64_t>(random()) * (random() % 2 ? -1 : 1) * 1000003;
                    text << n;
                    expected += std::to_string(n);
                    break;
                }
                case 3: {
                    float f = std::ldexp(static_cast<float>(random() % 100000) - 50000.0f, static_cast<int>(random() % 60) - 30);
                    text.put(SHORTEST_FLOAT_ROOM, [f](char* at) { return writeShortestFloat(at, f); });
                    char digits[32];
                    expected.append(digits, std::to_chars(digits, digits + sizeof digits, f).ptr);
                    break;
                }
                default: {
                    // A whole piece of a path at once, as the picture writes it.
                    text.put(2 * TWO_DECIMALS_SIZE + 3, [](char* at) {
                        at = writeTwoDecimals(putText(at, " L"), -12.345);
                        return writeTwoDecimals(putText(at, " "), 7.0);
                    });
                    expected += " L-12.35 7.00";
                    break;
                }
            }
        }
        text.finish();
        text << "after";
        text.finish();
        expected += "after";
    }
    const std::string written = stream.str();
    EXPECT_GT(expected.size(), 1u << 20);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected) << "first difference at "
                                     << std::mismatch(expected.begin(), expected.end(), written.begin()).first -
                                            expected.begin();
}

}  // namespace
