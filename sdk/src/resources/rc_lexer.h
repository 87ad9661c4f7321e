// Tokens of a Windows resource script. Preprocessor lines are kept whole
// for the reader to interpret; comments are dropped.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class RcTokenKind { Name, Number, String, Punct, Directive, End };

struct RcToken {
    RcTokenKind kind = RcTokenKind::End;
    // A name, the contents of a string (escapes resolved), one punctuation
    // character, or a directive line without its '#'.
    std::string text;
    uint32_t number = 0;
    int line = 0;
};

// False with "line N: ..." in error on a character or literal the script
// language does not have. On success the last token is End.
bool TokenizeResourceScript(const std::string& text, std::vector<RcToken>& tokens, std::string& error);

// How a token reads in an error message.
std::string DescribeToken(const RcToken& token);
