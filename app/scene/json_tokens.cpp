#include "app/scene/json_tokens.h"
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes a string holds as they are: printable ASCII but the quote and the
// backslash. Everything else needs a closer look.
bool isPlainStringByte(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x20 && u < 0x80 && c != '"' && c != '\\';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Whether a number that no double holds is too large rather than too
// small: the decimal exponent of its first significant digit decides, as
// the double range reaches only from about 1e-324 to 1e308.
bool overflowsDouble(std::string_view text) {
    long long integerDigits = 0, zerosAfterPoint = 0;
    bool significant = false, afterPoint = false;
    std::size_t i = text[0] == '-' ? 1 : 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            afterPoint = true;
        } else if (significant || text[i] != '0') {
            significant = true;
            if (!afterPoint) ++integerDigits;
        } else if (afterPoint) {
            ++zerosAfterPoint;
        }
    }
    long long exponent = 0;
    bool negativeExponent = false;
    if (i < text.size()) {
        ++i;
        if (text[i] == '+' || text[i] == '-') negativeExponent = text[i++] == '-';
        for (; i < text.size() && exponent < 1000000; ++i) exponent = exponent * 10 + (text[i] - '0');
    }
    long long firstDigit = integerDigits > 0 ? integerDigits - 1 : -(zerosAfterPoint + 1);
    return firstDigit + (negativeExponent ? -exponent : exponent) > 0;
}

// The powers of ten a double holds exactly, and the largest whole number
// below which every whole number is exact (2^53).
const double EXACT_POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
const int MOST_EXACT_POWER = 22;
const std::uint64_t MOST_EXACT_WHOLE = std::uint64_t{1} << 53;
// Digits that always fit a 64-bit whole number.
const long long MOST_HELD_DIGITS = 19;

}  // namespace

JsonTokens::JsonTokens(const char* begin, const char* stop) : at(begin), end(stop) {
    // The library skips a byte order mark at the start, and refuses a
    // text that begins with part of one.
    if (at != end && static_cast<unsigned char>(*at) == 0xEF) {
        if (end - at >= 3 && static_cast<unsigned char>(at[1]) == 0xBB && static_cast<unsigned char>(at[2]) == 0xBF)
            at += 3;
        else
            at = nullptr;   // the first scan refuses the text
    }
}

JsonToken JsonTokens::scan() {
    if (!at) throw JsonSyntaxFault();
    skipWhiteSpace();
    if (at == end) return JsonToken::End;
    switch (*at) {
        case '[': ++at; return JsonToken::BeginArray;
        case ']': ++at; return JsonToken::EndArray;
        case '{': ++at; return JsonToken::BeginObject;
        case '}': ++at; return JsonToken::EndObject;
        case ':': ++at; return JsonToken::NameSeparator;
        case ',': ++at; return JsonToken::ValueSeparator;
        case 't': literal("true"); return JsonToken::True;
        case 'f': literal("false"); return JsonToken::False;
        case 'n': literal("null"); return JsonToken::Null;
        case '"': ++at; scanString(); return JsonToken::String;
        default:
            if (*at == '-' || isDigit(*at)) return scanNumber();
            throw JsonSyntaxFault();
    }
}

void JsonTokens::skipWhiteSpace() {
    while (at != end && (*at == ' ' || *at == '\n' || *at == '\r' || *at == '\t')) ++at;
}

void JsonTokens::literal(std::string_view word) {
    if (static_cast<std::size_t>(end - at) < word.size() || std::string_view(at, word.size()) != word)
        throw JsonSyntaxFault();
    at += word.size();
}

// One digit or more, gathered into `value` (which wraps after nineteen of
// them: the count returned tells).
long long JsonTokens::readDigits(std::uint64_t& value) {
    const char* first = at;
    if (at == end || !isDigit(*at)) throw JsonSyntaxFault();
    for (; at != end && isDigit(*at); ++at) value = value * 10 + static_cast<std::uint64_t>(*at - '0');
    return at - first;
}

// -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?, and nothing is taken
// after it: "01" is the number 0 followed by another token. Its digits are
// gathered as they are scanned: whole numbers of up to nineteen digits are
// then known, and so is a decimal whose digits make a whole number below
// 2^53 and whose power of ten is exact (Clinger's fast path: one correctly
// rounded multiplication or division gives the nearest double, as
// coordinates like "9.999972" mostly allow). The rest is left to
// std::from_chars.
JsonToken JsonTokens::scanNumber() {
    const char* start = at;
    bool negative = *at == '-';
    if (negative) ++at;
    std::uint64_t digits = 0;
    long long digitCount = 1;
    if (at != end && *at == '0') ++at;
    else digitCount = readDigits(digits);
    long long exponent = 0;
    bool integral = true, exponentHeld = true;
    if (at != end && *at == '.') {
        ++at;
        long long fractionDigits = readDigits(digits);
        digitCount += fractionDigits;
        exponent = -fractionDigits;
        integral = false;
    }
    if (at != end && (*at == 'e' || *at == 'E')) {
        ++at;
        bool negativeExponent = at != end && *at == '-';
        if (at != end && (*at == '+' || *at == '-')) ++at;
        std::uint64_t written = 0;
        exponentHeld = readDigits(written) <= 5;
        if (exponentHeld) exponent += negativeExponent ? -static_cast<long long>(written) : static_cast<long long>(written);
        integral = false;
    }
    number = std::string_view(start, static_cast<std::size_t>(at - start));
    const bool held = digitCount <= MOST_HELD_DIGITS;
    if (integral && held) {
        if (!negative) {
            unsignedNumber = digits;
            return JsonToken::Unsigned;
        }
        if (digits <= std::uint64_t{1} << 63) {
            integerNumber = static_cast<std::int64_t>(0 - digits);   // -2^63 too, in two's complement
            return JsonToken::Integer;
        }
    }
    // Twenty digits may still fit 64 bits unsigned; a negative integer of
    // more than nineteen never does. An integer too large for 64 bits is
    // read as a double, as the library does.
    if (integral && !negative && std::from_chars(start, at, unsignedNumber).ec == std::errc())
        return JsonToken::Unsigned;
    if (held && exponentHeld && digits <= MOST_EXACT_WHOLE && exponent >= -MOST_EXACT_POWER &&
        exponent <= MOST_EXACT_POWER) {
        double whole = static_cast<double>(digits);
        floatNumber = exponent < 0 ? whole / EXACT_POWERS_OF_TEN[-exponent] : whole * EXACT_POWERS_OF_TEN[exponent];
        if (negative) floatNumber = -floatNumber;
        return JsonToken::Float;
    }
    std::from_chars_result read = std::from_chars(start, at, floatNumber);
    if (read.ec == std::errc::result_out_of_range) {
        // What strtod gives, which the library uses: infinity (which the
        // library then refuses) or a zero of the number's sign.
        double magnitude = overflowsDouble(number) ? HUGE_VAL : 0.0;
        floatNumber = negative ? -magnitude : magnitude;
    }
    return JsonToken::Float;
}

void JsonTokens::scanString() {
    // Most strings (keys, names) are plain bytes to the closing quote: their
    // text is where it stands in the file, nothing copied.
    const char* first = at;
    while (at != end && isPlainStringByte(*at)) ++at;
    if (at != end && *at == '"') {
        text = std::string_view(first, static_cast<std::size_t>(at - first));
        ++at;
        return;
    }
    // Escapes or bytes to check: decoded from where the plain run stopped.
    decoded.assign(first, at);
    for (;;) {
        const char* run = at;
        while (at != end && isPlainStringByte(*at)) ++at;
        decoded.append(run, at);
        if (at == end) throw JsonSyntaxFault();
        if (*at == '"') {
            ++at;
            text = decoded;
            return;
        }
        if (*at == '\\') {
            ++at;
            escape();
        } else {
            utf8Sequence();   // control characters are refused there
        }
    }
}

void JsonTokens::escape() {
    if (at == end) throw JsonSyntaxFault();
    switch (*at++) {
        case '"': decoded += '"'; break;
        case '\\': decoded += '\\'; break;
        case '/': decoded += '/'; break;
        case 'b': decoded += '\b'; break;
        case 'f': decoded += '\f'; break;
        case 'n': decoded += '\n'; break;
        case 'r': decoded += '\r'; break;
        case 't': decoded += '\t'; break;
        case 'u': appendUtf8(unicodeEscape()); break;
        default: throw JsonSyntaxFault();
    }
}

// \uXXXX, a high surrogate only with its low one after it.
char32_t JsonTokens::unicodeEscape() {
    unsigned codePoint = hexQuad();
    if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) throw JsonSyntaxFault();
    if (codePoint < 0xD800 || codePoint > 0xDBFF) return codePoint;
    if (end - at < 2 || at[0] != '\\' || at[1] != 'u') throw JsonSyntaxFault();
    at += 2;
    unsigned low = hexQuad();
    if (low < 0xDC00 || low > 0xDFFF) throw JsonSyntaxFault();
    return 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
}

unsigned JsonTokens::hexQuad() {
    if (end - at < 4) throw JsonSyntaxFault();
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
        int digit = hexValue(*at++);
        if (digit < 0) throw JsonSyntaxFault();
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

// One character of two to four bytes, as RFC 3629 allows them: no
// overlong forms, no surrogates, nothing above U+10FFFF.
void JsonTokens::utf8Sequence() {
    unsigned char lead = static_cast<unsigned char>(*at);
    int continuations = 0;
    unsigned char low = 0x80, high = 0xBF;   // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) continuations = 1;
    else if (lead == 0xE0) continuations = 2, low = 0xA0;
    else if (lead == 0xED) continuations = 2, high = 0x9F;
    else if (lead >= 0xE1 && lead <= 0xEF) continuations = 2;
    else if (lead == 0xF0) continuations = 3, low = 0x90;
    else if (lead >= 0xF1 && lead <= 0xF3) continuations = 3;
    else if (lead == 0xF4) continuations = 3, high = 0x8F;
    else throw JsonSyntaxFault();   // controls, stray continuation bytes, 0xC0, 0xC1, 0xF5 and above
    if (end - at <= continuations) throw JsonSyntaxFault();
    for (int i = 1; i <= continuations; ++i) {
        unsigned char byte = static_cast<unsigned char>(at[i]);
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) throw JsonSyntaxFault();
    }
    decoded.append(at, at + 1 + continuations);
    at += 1 + continuations;
}

void JsonTokens::appendUtf8(char32_t c) {
    if (c < 0x80) {
        decoded += static_cast<char>(c);
    } else if (c < 0x800) {
        decoded += static_cast<char>(0xC0 | (c >> 6));
        decoded += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        decoded += static_cast<char>(0xE0 | (c >> 12));
        decoded += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        decoded += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        decoded += static_cast<char>(0xF0 | (c >> 18));
        decoded += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        decoded += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        decoded += static_cast<char>(0x80 | (c & 0x3F));
    }
}
