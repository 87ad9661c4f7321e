// "SplineType" as people name it: the captions of the panel's radio
// buttons for the values 0 to 3. Scene files, `trellis edit --type` and the
// pictures' legends all read and write these names from this one table.
#pragma once
#include <optional>
#include <string>

const int SPLINE_TYPE_COUNT = 4;

// "Linear", "Smooth", "Bezier", "Bezier Corner"; null outside 0..3 (such
// values build corner knots).
const char* splineTypeCaption(int value);

// The value whose caption this is, in any ASCII case; none otherwise.
std::optional<int> splineTypeOfCaption(const std::string& text);
