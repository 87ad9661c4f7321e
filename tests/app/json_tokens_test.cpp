// The scene reader reads JSON with its own tokenizer: it must take exactly
// the texts the JSON library takes, to the same values, or scene files
// would be read differently from what every message and test assumes.
#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include "support/json_reading_check.h"

namespace {

using jsoncheck::disagreement;

std::string printable(const std::string& text) {
    std::string shown;
    const char* hex = "0123456789abcdef";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f) shown += char(c);
        else shown += std::string("\\x") + hex[c >> 4] + hex[c & 15];
    }
    return shown;
}

void expectAgreement(const std::string& text) {
    EXPECT_EQ(disagreement(text), "") << "text: " << printable(text);
}

TEST(JsonTokens, GrammarCasesAgreeWithTheLibrary) {
    const char* const texts[] = {
        "", " ", "[]", "{}", " [ ] ", "\t\r\n{}\n", "[1,]", "[,1]", "{\"a\":1,}", "{\"a\" 1}", "{1:2}", "{\"a\":}",
        "[1 2]", "[[[]]]", "[{\"a\":[{}]}]", "{\"a\":1}{}", "[] x", "true", "truex", "tru", "false", "fals", "null",
        "nul", "NULL", "True", "[true,false,null]", "\"a\"", "'a'", "[\"a\",]", "{\"a\":1,\"a\":2}",
        "\xEF\xBB\xBF[]", "\xEF\xBB[]", "\xEF[]", " \xEF\xBB\xBF[]", "\xEF\xBB\xBF", "//c\n[]", "/*c*/[]", "[1]//c",
        "\v[]", "\f[]", "[]\x1f", "\xC2\xA0[]",
    };
    for (const char* text : texts) expectAgreement(text);
    // Not an empty promise: the two do accept and refuse.
    EXPECT_TRUE(jsoncheck::byReader("[true,{\"a\":null}]").accepted);
    EXPECT_FALSE(jsoncheck::byReader("[1,]").accepted);
}

TEST(JsonTokens, NumbersAgreeWithTheLibraryInValueAndForm) {
    const char* const numbers[] = {
        "0", "-0", "00", "-00", "01", "-01", "1", "-1", "1.", ".5", "-.5", "1.5", "-1.5", "1e5", "1E5", "1e+5", "1e-5",
        "1e", "1e+", "1.e5", "1.5e05", "0.0", "-0.0", "0e0", "-0e-0", "+1", "--1", "1-", "0x10", "Infinity", "NaN",
        "-", "1.5.5", "1e5e5", "18446744073709551615", "18446744073709551616", "-9223372036854775808",
        "-9223372036854775809", "9223372036854775808", "123456789012345678901234567890", "1e308", "1.7976931348623157e308",
        "1.7976931348623158e308", "1.7976931348623159e308", "1e309", "-1e309", "1e400", "1e-400", "-1e-400",
        "2.4703282292062327e-324", "2.4703282292062328e-324", "4.9e-324", "5e-324", "2e-320",
        "0.000000000000000000000000000000000000000000000000001e-290", "1000000000000000000000e290",
        "0e99999999999999999999", "1e-99999999999999999999", "1e99999999999999999999", "0.1", "0.30000000000000004",
        "3.4028235e38", "3.4028236e38",
    };
    for (const char* number : numbers) {
        expectAgreement(number);
        expectAgreement(std::string("[") + number + "]");
        expectAgreement(std::string("{\"n\":") + number + "}");
    }
    EXPECT_EQ(jsoncheck::byReader("[-0,18446744073709551616,1e-400]").dump, "[0,1.8446744073709552e+19,0.0]");
}

// Short decimals are read by a fast path of their own, longer ones and
// those far from 1 by the library's routine: both must give the library's
// double, on both sides of every limit of the fast path.
TEST(JsonTokens, DecimalsOfEveryLengthAndScaleAgreeWithTheLibrary) {
    std::mt19937_64 random(5);
    for (int i = 0; i < 30000; ++i) {
        std::string digits;
        for (int d = 1 + static_cast<int>(random() % 18); d > 0; --d) digits += static_cast<char>('0' + random() % 10);
        std::size_t point = random() % (digits.size() + 1);
        std::string whole = digits.substr(0, point), fraction = digits.substr(point);
        whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
        std::string text = (random() % 2 ? "-" : "") + (whole.empty() ? "0" : whole);
        if (!fraction.empty()) text += "." + fraction;
        if (random() % 3 == 0) text += (random() % 2 ? "e" : "E") + std::to_string(static_cast<int>(random() % 61) - 30);
        ASSERT_EQ(disagreement("[" + text + "]"), "") << text;
    }
}

TEST(JsonTokens, StringsAgreeWithTheLibrary) {
    const char* const strings[] = {
        "\"\"", "\"abc\"", "\"a\\\"b\"", "\"\\\\\"", "\"\\/\"", "\"\\b\\f\\n\\r\\t\"", "\"\\a\"", "\"\\x41\"",
        "\"\\u0041\"", "\"\\u00e9\\u00E9\"", "\"\\u0000\"", "\"\\u12\"", "\"\\u12G4\"", "\"\\uD83D\\uDE00\"",
        "\"\\uD83D\"", "\"\\uD83Dx\"", "\"\\uD83D\\u0041\"", "\"\\uDE00\"", "\"\\uD83D\\uD83D\"", "\"\\uDBFF\\uDFFF\"",
        "\"\\uFFFF\"", "\"\\uFFFE\"", "\"abc", "\"abc\\\"", "\"\\", "\"a\nb\"", "\"a\tb\"", "\"\x7f\"",
    };
    for (const char* text : strings) {
        expectAgreement(text);
        expectAgreement(std::string("{") + text + ":1}");
    }
}

// Every byte after a string's first byte, and every second byte after a
// lead byte with both ends of the continuation range after it: overlong
// forms, surrogates, code points beyond U+10FFFF and cut sequences.
TEST(JsonTokens, EveryUtf8ByteSequenceAgreesWithTheLibrary) {
    for (int first = 0; first < 256; ++first) expectAgreement(std::string("[\"") + char(first) + "\"]");
    auto check = [](int lead, int second, char third, char fourth) {
        std::string text = std::string("\"") + char(lead) + char(second) + third + fourth + "\"";
        std::string cut = std::string("\"") + char(lead) + char(second) + "\"";
        std::string fault = disagreement(text) + disagreement(cut);
        if (!fault.empty()) ADD_FAILURE() << "text: " << printable(text) << ": " << fault;
        return fault.empty();
    };
    for (int lead = 0x80; lead < 0x100; ++lead)
        for (int second = 0; second < 0x100; ++second)
            if (!check(lead, second, '\x80', '\x80')) return;
    const int seconds[] = {0x22, 0x7f, 0x80, 0x8f, 0x90, 0x9f, 0xa0, 0xbf, 0xc0};
    const char tails[] = {'\x7f', '\x80', '\xbf', '\xc0'};
    for (int lead = 0xc0; lead < 0x100; ++lead)
        for (int second : seconds)
            for (char third : tails)
                for (char fourth : tails)
                    if (!check(lead, second, third, fourth)) return;
}

// Scene files with bytes changed, inserted, removed and repeated at random.
TEST(JsonTokens, MutatedScenesAgreeWithTheLibrary) {
    std::ifstream in(std::string(TRELLIS_SOURCE_DIR) + "/tests/data/app_two_rims.json", std::ios::binary);
    const std::string scene((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(scene.empty());
    const std::string interesting = "{}[],:\"\\/ \t\n0123456789-+.eEtrufalsn\x80\xbf\xc3\xe2\xf0\xf4\xff";
    std::mt19937 random(20261209);
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text = scene;
        int changes = 1 + static_cast<int>(random() % 4);
        for (int c = 0; c < changes && !text.empty(); ++c) {
            std::size_t at = random() % text.size();
            char byte = random() % 2 ? interesting[random() % interesting.size()] : char(random() % 256);
            switch (random() % 4) {
                case 0: text[at] = byte; break;
                case 1: text.insert(at, 1, byte); break;
                case 2: text.erase(at, 1 + random() % 8); break;
                default: text.insert(at, text.substr(at, 1 + random() % 16)); break;
            }
        }
        std::string fault = disagreement(text);
        if (!fault.empty()) {
            ADD_FAILURE() << "round " << round << ": " << fault;
            return;
        }
        accepted += jsoncheck::byLibrary(text).accepted;
    }
    // Both kinds were met: mutants the library accepts and ones it refuses.
    EXPECT_GT(accepted, 100);
    EXPECT_LT(accepted, 3900);
}

}  // namespace
