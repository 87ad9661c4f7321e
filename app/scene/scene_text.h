// Reading a scene file's text, never more of it than a scene may hold.
#pragma once
#include <string>

// The bytes of the file at path. Throws SceneError ("cannot read: ...",
// or the size limit) without the path, which the caller knows. A device or
// pipe that never ends is cut off at the limit instead of read until memory
// runs out.
std::string readSceneText(const std::string& path);

// Throws SceneError "invalid JSON: parse error at line L, column C (byte
// offset N): NUL byte" at the first NUL of text. A scene file is text; the
// JSON reader would take a NUL between values for the end of the input and
// ignore whatever follows it.
void refuseNulBytes(const std::string& text);
