// A reading position in the tokens of a resource script, with the readers
// every statement shares: punctuation, strings, numeric expressions, styles
// and BEGIN .. END blocks. The first failure is kept as "line N: ...".
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "maxtypes.h"
#include "resources/rc_lexer.h"
#include "resources/rc_symbols.h"

class RcCursor {
public:
    // tokens must end with an End token.
    RcCursor(const std::vector<RcToken>& scriptTokens, RcSymbols& scriptSymbols)
        : tokens(scriptTokens), symbols(scriptSymbols) {}

    const RcToken& peek() const { return tokens[pos]; }
    // Never moves past the End token.
    const RcToken& next();
    bool atEnd() const { return peek().kind == RcTokenKind::End; }
    RcSymbols& names() { return symbols; }

    // Keywords are names compared without regard to case.
    bool isKeyword(const char* word) const;
    bool acceptKeyword(const char* word);
    bool acceptPunct(char c);
    bool expectPunct(char c, const std::string& context);

    bool readString(std::string& text, const std::string& what);
    // A numeric expression of | & + - ~, parentheses, numbers and names.
    bool readValue(uint32_t& value, const std::string& what);
    // A value read as a signed 32-bit number that must lie in lo .. hi.
    bool readInt(int& value, int lo, int hi, const std::string& what);
    // Terms separated by '|', starting from base: a term sets its bits, a
    // term after NOT clears them, left to right.
    bool readStyle(DWORD base, DWORD& style, const std::string& what);

    // BEGIN or '{'; END or '}'.
    bool readBlockStart(const std::string& what);
    bool atBlockEnd() const { return isKeyword("END") || isPunct('}'); }
    // Fails when the script ends before the block that began on blockLine.
    bool checkBlockContinues(int blockLine, const std::string& what);

    // Records the failure (the first one wins) and answers false.
    bool fail(const std::string& message) { return failAt(peek().line, message); }
    bool failAt(int line, const std::string& message);
    const std::string& error() const { return firstError; }

private:
    bool isPunct(char c) const;
    bool readOr(uint32_t& value, const std::string& what);
    bool readAnd(uint32_t& value, const std::string& what);
    bool readSum(uint32_t& value, const std::string& what);
    bool readUnary(uint32_t& value, const std::string& what);
    bool readTerm(uint32_t& value, const std::string& what);

    const std::vector<RcToken>& tokens;
    RcSymbols& symbols;
    size_t pos = 0;
    int depth = 0;
    std::string firstError;
};
