// Reading an animated number of a scene file: {"keys": [[time, value], ...]}.
#pragma once
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>
#include "app/scene/field_reader.h"
#include "maxtypes.h"

struct KeyedValues {
    // Sorted by time; at most MAX_ANIMATION_KEYS of them are kept.
    std::vector<std::pair<TimeValue, float>> keys;
    // How many the file gives, for the caller's limit check.
    std::size_t count = 0;
};

// At least one key, no two at one time. Each value is read by `readValue`,
// which throws SceneError on a bad one.
KeyedValues readKeyedValues(FieldReader& animated, const std::function<float(FieldReader&)>& readValue);
