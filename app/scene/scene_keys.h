// Reading an animated number of a scene file: {"keys": [[time, value], ...]}.
#pragma once
#include <functional>
#include <utility>
#include <vector>
#include "app/scene/json_field.h"
#include "maxtypes.h"

// At least one key, no two at one time; returned sorted by time. Each value
// is read by `readValue`, which throws SceneError on a bad one.
std::vector<std::pair<TimeValue, float>> readKeyedValues(const JsonField& animated,
                                                         const std::function<float(const JsonField&)>& readValue);
