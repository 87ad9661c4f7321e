// Files the program copies into the HTML pages it writes, embedded when it
// is built: three.js and its orbit controls and fat lines, from the
// system's libjs-three, and the page's own script and style.
#pragma once
#include <string_view>

// The text of the asset `name` ("three.min.js", "OrbitControls.js",
// "LineSegmentsGeometry.js", "LineMaterial.js", "LineSegments2.js",
// "viewer.js", "viewer.css"). Throws std::logic_error for another name.
std::string_view pageAsset(const char* name);
