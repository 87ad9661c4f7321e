// A parametric shape (circle, rectangle, regular polygon, star) as a scene
// file describes it, before any host object exists.
#pragma once
#include <utility>
#include <vector>
#include "maxtypes.h"

enum class PrimitiveKind { Circle, Rectangle, NGon, Star };

// A constant, or (time, value) keys sorted by time when keys is not empty.
struct AnimatedValue {
    float value = 0.0f;
    std::vector<std::pair<TimeValue, float>> keys;
};

struct PrimitiveDesc {
    PrimitiveKind kind = PrimitiveKind::Circle;
    // Indexed by the shape's parameter block index.
    std::vector<AnimatedValue> params;
};
