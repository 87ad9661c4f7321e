#include "app/scene/spline_type_names.h"
#include "app/scene/field_reader.h"

namespace {

const char* const CAPTIONS[SPLINE_TYPE_COUNT] = {"Linear", "Smooth", "Bezier", "Bezier Corner"};

}  // namespace

const char* splineTypeCaption(int value) {
    return value >= 0 && value < SPLINE_TYPE_COUNT ? CAPTIONS[value] : nullptr;
}

std::optional<int> splineTypeOfCaption(const std::string& text) {
    for (int i = 0; i < SPLINE_TYPE_COUNT; ++i)
        if (sameIgnoringAsciiCase(CAPTIONS[i], text)) return i;
    return std::nullopt;
}
