// The one kind of failure the scene reading and building code reports.
#pragma once
#include <stdexcept>
#include <string>

// A scene (or a command-line request about it) that cannot be used. what()
// names the place ("nodes[2].name: duplicate node name \"Rim\"") but not
// the file, which the caller knows.
class SceneError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A name as it appears in messages: in double quotes, with control
// characters and invalid UTF-8 escaped so a message stays on one line.
std::string quoteName(const std::string& name);

// A name as it appears in lines for people (summaries, lists): as it is
// when it is valid UTF-8 without control characters, else as quoteName
// gives it, so that no name can forge a line or send a terminal escape.
std::string printableName(const std::string& name);

// Text with control characters (C0, DEL, C1) and invalid UTF-8 bytes
// written as escapes (\n, \t, \x1b, \u009b), so that it stays one line
// and sends no terminal escape.
std::string escapeControls(const std::string& text);

// The code point of the UTF-8 sequence at text[i] and its length in bytes;
// length 0 for an invalid sequence (overlong, surrogate, past U+10FFFF, cut).
int decodeUtf8(const std::string& text, std::size_t i, char32_t& codePoint);
