// Preprocessor lines of resource scripts and their id headers.
#include <cctype>
#include "resources/rc_statements.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

size_t skipBlanks(const std::string& text, size_t pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    return pos;
}

std::string readWord(const std::string& text, size_t& pos) {
    size_t start = pos;
    while (pos < text.size() && isNameChar(text[pos])) ++pos;
    return text.substr(start, pos - start);
}

// The value of a define, when it is a numeric expression of known names.
bool evaluateDefinition(const std::string& text, RcSymbols& symbols, uint32_t& value) {
    std::vector<RcToken> tokens;
    std::string ignored;
    if (!TokenizeResourceScript(text, tokens, ignored)) return false;
    RcCursor cursor(tokens, symbols);
    if (cursor.atEnd()) return false;
    return cursor.readValue(value, "definition") && cursor.atEnd();
}

void applyDefine(const std::string& text, size_t pos, RcSymbols& symbols) {
    std::string name = readWord(text, pos);
    if (name.empty() || (pos < text.size() && text[pos] == '(')) return;
    uint32_t value = 0;
    if (evaluateDefinition(text.substr(pos), symbols, value)) symbols.define(name, value);
}

// One line from start, joined with the next where it ends in '\\'; start
// moves past it.
std::string readLogicalLine(const std::string& text, size_t& start) {
    std::string line;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        line += text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.back() != '\\') break;
        line.pop_back();
    }
    return line;
}

}  // namespace

bool readDirective(RcCursor& cursor, bool strict) {
    const RcToken& token = cursor.next();
    const std::string& text = token.text;
    size_t pos = skipBlanks(text, 0);
    std::string word = readWord(text, pos);
    pos = skipBlanks(text, pos);
    if (word == "define") applyDefine(text, pos, cursor.names());
    else if (word == "undef") cursor.names().undefine(readWord(text, pos));
    else if (strict && !(word.empty() || word == "include" || word == "pragma"))
        return cursor.failAt(token.line, "unsupported directive #" + (word.empty() ? text : word));
    return true;
}

void readHeaderDefines(const std::string& header, RcSymbols& symbols) {
    std::vector<RcToken> directive(2);
    directive[0].kind = RcTokenKind::Directive;
    size_t start = 0;
    while (start < header.size()) {
        std::string line = readLogicalLine(header, start);
        size_t hash = skipBlanks(line, 0);
        if (hash < line.size() && line[hash] == '#') {
            directive[0].text = line.substr(hash + 1);
            RcCursor cursor(directive, symbols);
            readDirective(cursor, false);
        }
    }
}

void skipMemoryFlags(RcCursor& cursor) {
    static const char* const kFlags[] = {"DISCARDABLE", "MOVEABLE", "FIXED", "PURE", "IMPURE",
                                         "PRELOAD", "LOADONCALL", "SHARED", "NONSHARED"};
    bool skipped = true;
    while (skipped) {
        skipped = false;
        for (const char* flag : kFlags) skipped = skipped || cursor.acceptKeyword(flag);
    }
}
