// The scene `trellis demo` builds: small enough to read, and showing both
// kinds of cage (ribs through matching sections, links between unlike ones).
#pragma once
#include <string>

// Scene file text, in the same format users write.
const std::string& demoSceneText();
