// Splits resource script text into tokens, one pass, no backtracking.
#include "resources/rc_lexer.h"
#include <cstdio>
#include <cstring>

namespace {

bool isNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isNameChar(char c) { return isNameStart(c) || isDigit(c); }

int hexDigit(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string describeChar(char c) {
    char text[16];
    if (c > ' ' && c < 127) std::snprintf(text, sizeof(text), "'%c'", c);
    else std::snprintf(text, sizeof(text), "byte 0x%02X", static_cast<unsigned char>(c));
    return text;
}

class RcLexer {
public:
    RcLexer(const std::string& source, std::vector<RcToken>& out, std::string& err)
        : text(source), tokens(out), error(err) {}

    bool run() {
        while (true) {
            if (!skipBlanksAndComments()) return false;
            if (pos >= text.size()) break;
            if (!lexToken()) return false;
        }
        RcToken end;
        end.line = line;
        tokens.push_back(end);
        return true;
    }

private:
    bool fail(int atLine, const std::string& message) {
        error = "line " + std::to_string(atLine) + ": " + message;
        return false;
    }

    char at(size_t i) const { return i < text.size() ? text[i] : '\0'; }

    bool skipBlanksAndComments() {
        while (pos < text.size()) {
            char c = text[pos];
            if (c == '\n') { ++line; lineStart = true; ++pos; }
            else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') ++pos;
            else if (c == '/' && at(pos + 1) == '/') skipToLineEnd();
            else if (c == '/' && at(pos + 1) == '*') { if (!skipBlockComment()) return false; }
            else break;
        }
        return true;
    }

    void skipToLineEnd() {
        while (pos < text.size() && text[pos] != '\n') ++pos;
    }

    bool skipBlockComment() {
        int startLine = line;
        size_t end = text.find("*/", pos + 2);
        if (end == std::string::npos) return fail(startLine, "unterminated comment");
        for (size_t i = pos; i < end; ++i)
            if (text[i] == '\n') ++line;
        pos = end + 2;
        return true;
    }

    bool lexToken() {
        char c = text[pos];
        bool first = lineStart;
        lineStart = false;
        if (c == '#' && first) return lexDirective();
        if (c == '"' || (c == 'L' && at(pos + 1) == '"')) return lexString();
        if (isDigit(c)) return lexNumber();
        if (isNameStart(c)) return lexName();
        if (std::strchr(",|(){}+-~&", c)) return push(RcTokenKind::Punct, std::string(1, text[pos++]), 0, line);
        return fail(line, "unexpected " + describeChar(c));
    }

    bool push(RcTokenKind kind, std::string tokenText, uint32_t number, int tokenLine) {
        RcToken token;
        token.kind = kind;
        token.text = std::move(tokenText);
        token.number = number;
        token.line = tokenLine;
        tokens.push_back(std::move(token));
        return true;
    }

    // The rest of the line, joined with the next one where it ends in '\'.
    bool lexDirective() {
        int startLine = line;
        std::string directive;
        ++pos;
        while (pos < text.size() && text[pos] != '\n') {
            if (text[pos] == '\\' && (at(pos + 1) == '\n' || (at(pos + 1) == '\r' && at(pos + 2) == '\n'))) {
                pos += at(pos + 1) == '\r' ? 3 : 2;
                ++line;
                continue;
            }
            directive += text[pos++];
        }
        return push(RcTokenKind::Directive, directive, 0, startLine);
    }

    bool lexName() {
        size_t start = pos;
        while (pos < text.size() && isNameChar(text[pos])) ++pos;
        return push(RcTokenKind::Name, text.substr(start, pos - start), 0, line);
    }

    // Decimal or 0x hexadecimal, with optional U and L suffixes; 32 bits.
    bool lexNumber() {
        uint64_t value = 0;
        bool hex = text[pos] == '0' && (at(pos + 1) == 'x' || at(pos + 1) == 'X');
        int base = hex ? 16 : 10;
        size_t digitsStart = hex ? pos + 2 : pos;
        size_t i = digitsStart;
        for (; i < text.size(); ++i) {
            int digit = hexDigit(text[i]);
            if (digit < 0 || digit >= base) break;
            value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
            if (value > 0xFFFFFFFFull) return fail(line, "number too large for 32 bits");
        }
        if (i == digitsStart) return fail(line, "malformed number");
        while (i < text.size() && std::strchr("uUlL", text[i])) ++i;
        if (i < text.size() && isNameChar(text[i])) return fail(line, "malformed number");
        pos = i;
        return push(RcTokenKind::Number, std::string(), static_cast<uint32_t>(value), line);
    }

    // "" stands for one quote; backslash escapes as in C for n t r a 0 \ ".
    bool lexString() {
        int startLine = line;
        if (text[pos] == 'L') ++pos;
        ++pos;
        std::string value;
        while (true) {
            if (pos >= text.size() || text[pos] == '\n') return fail(startLine, "unterminated string");
            char c = text[pos++];
            if (c == '"') {
                if (at(pos) != '"') break;
                value += '"';
                ++pos;
            } else if (c == '\\' && pos < text.size() && text[pos] != '\n') {
                value += escaped(text[pos++]);
            } else {
                value += c;
            }
        }
        return push(RcTokenKind::String, value, 0, startLine);
    }

    std::string escaped(char c) {
        switch (c) {
            case 'n': return "\n";
            case 't': return "\t";
            case 'r': return "\r";
            case 'a': return "\a";
            case '0': return std::string(1, '\0');
            case '\\': return "\\";
            case '"': return "\"";
            default: return std::string("\\") + c;  // unknown escapes stay as written
        }
    }

    const std::string& text;
    std::vector<RcToken>& tokens;
    std::string& error;
    size_t pos = 0;
    int line = 1;
    bool lineStart = true;
};

}  // namespace

bool TokenizeResourceScript(const std::string& text, std::vector<RcToken>& tokens, std::string& error) {
    tokens.clear();
    return RcLexer(text, tokens, error).run();
}

std::string DescribeToken(const RcToken& token) {
    switch (token.kind) {
        case RcTokenKind::Name: return "'" + token.text + "'";
        case RcTokenKind::Number: return "number " + std::to_string(token.number);
        case RcTokenKind::String: return "a string";
        case RcTokenKind::Punct: return "'" + token.text + "'";
        case RcTokenKind::Directive: return "a #" + token.text.substr(0, token.text.find(' ')) + " line";
        case RcTokenKind::End: return "the end of the script";
    }
    return "a token";
}
