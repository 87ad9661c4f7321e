// Shared readers of the resource script: tokens, values, styles and blocks.
#include "resources/rc_cursor.h"
#include <cctype>

namespace {

// Parentheses and unary operators nest at most this deep; deeper input is
// refused rather than allowed to exhaust the stack.
const int kMaxExpressionDepth = 64;

bool equalsNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

// Two's complement reading of 32 bits.
int64_t asSigned(uint32_t value) {
    return value <= 0x7FFFFFFFu ? static_cast<int64_t>(value) : static_cast<int64_t>(value) - 0x100000000LL;
}

}  // namespace

const RcToken& RcCursor::next() {
    const RcToken& token = tokens[pos];
    if (token.kind != RcTokenKind::End) ++pos;
    return token;
}

bool RcCursor::isKeyword(const char* word) const {
    return peek().kind == RcTokenKind::Name && equalsNoCase(peek().text, word);
}

bool RcCursor::acceptKeyword(const char* word) {
    if (!isKeyword(word)) return false;
    next();
    return true;
}

bool RcCursor::isPunct(char c) const {
    return peek().kind == RcTokenKind::Punct && peek().text[0] == c;
}

bool RcCursor::acceptPunct(char c) {
    if (!isPunct(c)) return false;
    next();
    return true;
}

bool RcCursor::expectPunct(char c, const std::string& context) {
    if (acceptPunct(c)) return true;
    return fail(std::string("expected '") + c + "' " + context + ", found " + DescribeToken(peek()));
}

bool RcCursor::failAt(int line, const std::string& message) {
    if (firstError.empty()) firstError = "line " + std::to_string(line) + ": " + message;
    return false;
}

bool RcCursor::readString(std::string& text, const std::string& what) {
    if (peek().kind != RcTokenKind::String)
        return fail("expected " + what + " (a quoted string), found " + DescribeToken(peek()));
    text = next().text;
    return true;
}

bool RcCursor::readValue(uint32_t& value, const std::string& what) {
    depth = 0;
    return readOr(value, what);
}

bool RcCursor::readInt(int& value, int lo, int hi, const std::string& what) {
    int line = peek().line;
    uint32_t raw = 0;
    if (!readValue(raw, what)) return false;
    int64_t number = asSigned(raw);
    if (number < lo || number > hi)
        return failAt(line, what + " " + std::to_string(number) + " is outside " + std::to_string(lo) + " .. " +
                                std::to_string(hi));
    value = static_cast<int>(number);
    return true;
}

bool RcCursor::readStyle(DWORD base, DWORD& style, const std::string& what) {
    uint32_t bits = static_cast<uint32_t>(base);
    do {
        bool clear = acceptKeyword("NOT");
        uint32_t term = 0;
        depth = 0;
        if (!readAnd(term, what)) return false;
        bits = clear ? (bits & ~term) : (bits | term);
    } while (acceptPunct('|'));
    style = bits;
    return true;
}

bool RcCursor::readOr(uint32_t& value, const std::string& what) {
    if (!readAnd(value, what)) return false;
    while (acceptPunct('|')) {
        uint32_t rhs = 0;
        if (!readAnd(rhs, what)) return false;
        value |= rhs;
    }
    return true;
}

bool RcCursor::readAnd(uint32_t& value, const std::string& what) {
    if (!readSum(value, what)) return false;
    while (acceptPunct('&')) {
        uint32_t rhs = 0;
        if (!readSum(rhs, what)) return false;
        value &= rhs;
    }
    return true;
}

// 32-bit unsigned arithmetic wraps, as the resource compiler's does.
bool RcCursor::readSum(uint32_t& value, const std::string& what) {
    if (!readUnary(value, what)) return false;
    while (isPunct('+') || isPunct('-')) {
        bool minus = next().text[0] == '-';
        uint32_t rhs = 0;
        if (!readUnary(rhs, what)) return false;
        value = minus ? value - rhs : value + rhs;
    }
    return true;
}

bool RcCursor::readUnary(uint32_t& value, const std::string& what) {
    if (++depth > kMaxExpressionDepth) return fail(what + ": expression nested too deeply");
    bool ok = true;
    if (acceptPunct('-')) {
        ok = readUnary(value, what);
        value = 0u - value;
    } else if (acceptPunct('~')) {
        ok = readUnary(value, what);
        value = ~value;
    } else if (acceptPunct('(')) {
        ok = readOr(value, what) && expectPunct(')', "to close the parenthesis in " + what);
    } else {
        ok = readTerm(value, what);
    }
    --depth;
    return ok;
}

bool RcCursor::readTerm(uint32_t& value, const std::string& what) {
    const RcToken& token = peek();
    if (token.kind == RcTokenKind::Number) {
        value = next().number;
        return true;
    }
    if (token.kind == RcTokenKind::Name) {
        if (!symbols.find(token.text, value)) return fail("unknown name '" + token.text + "' in " + what);
        next();
        return true;
    }
    return fail("expected " + what + " (a number), found " + DescribeToken(token));
}

bool RcCursor::readBlockStart(const std::string& what) {
    if (acceptKeyword("BEGIN") || acceptPunct('{')) return true;
    return fail("expected BEGIN to open " + what + ", found " + DescribeToken(peek()));
}

bool RcCursor::checkBlockContinues(int blockLine, const std::string& what) {
    if (!atEnd()) return true;
    return fail("missing END of " + what + " opened on line " + std::to_string(blockLine));
}
