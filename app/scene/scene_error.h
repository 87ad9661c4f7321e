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
