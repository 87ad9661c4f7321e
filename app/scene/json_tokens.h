// The tokens of a JSON text, for the scene reader: exactly the texts the
// JSON library accepts (RFC 8259; strings of valid UTF-8 without control
// characters; one byte order mark skipped at the start), read faster than
// with the library's own tokenizer, which copies every number into a buffer
// for strtod and checks strings byte by byte through a switch.
// Numbers take the library's forms: an integer is unsigned, or signed when
// written with a minus, while it fits 64 bits; anything else is a double.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Thrown where the text is not JSON the library accepts; the tokens say
// nothing of where or why: the library's parser tells that.
class JsonSyntaxFault {};

enum class JsonToken {
    Null, True, False, Unsigned, Integer, Float, String,
    BeginArray, EndArray, BeginObject, EndObject, NameSeparator, ValueSeparator, End
};

class JsonTokens {
public:
    // [begin, end) must outlive the tokens.
    JsonTokens(const char* begin, const char* end);

    // The next token; End once only white space is left.
    JsonToken scan();

    // Of the last token: a string's text with its escapes decoded, valid
    // until the next scan; a number's text as written, and its value.
    std::string_view string() const { return text; }
    std::string_view numberText() const { return number; }
    std::uint64_t unsignedValue() const { return unsignedNumber; }
    std::int64_t integerValue() const { return integerNumber; }
    double floatValue() const { return floatNumber; }

private:
    void skipWhiteSpace();
    void literal(std::string_view word);
    JsonToken scanNumber();
    long long readDigits(std::uint64_t& value);
    void scanString();
    void escape();
    char32_t unicodeEscape();
    unsigned hexQuad();
    void utf8Sequence();
    void appendUtf8(char32_t codePoint);

    const char* at;
    const char* end;
    std::string decoded;     // a string's text when escapes or other bytes were decoded
    std::string_view text;   // the last string's text: in the file, or in `decoded`
    std::string_view number;
    std::uint64_t unsignedNumber = 0;
    std::int64_t integerNumber = 0;
    double floatNumber = 0.0;
};
