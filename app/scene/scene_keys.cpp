#include "app/scene/scene_keys.h"
#include <algorithm>
#include <string>

std::vector<std::pair<TimeValue, float>> readKeyedValues(const JsonField& animated,
                                                         const std::function<float(const JsonField&)>& readValue) {
    JsonField keysField = animated.member("keys");
    std::size_t count = keysField.arraySize();
    if (count == 0) keysField.fail("expected at least one key");
    std::vector<std::pair<TimeValue, float>> keys;
    for (std::size_t i = 0; i < count; ++i) {
        JsonField key = keysField.element(i);
        if (key.arraySize() != 2) key.fail("expected [time, value]");
        TimeValue time = key.element(0).readInt();
        for (const auto& earlier : keys)
            if (earlier.first == time) key.element(0).fail("two keys at time " + std::to_string(time));
        keys.emplace_back(time, readValue(key.element(1)));
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}
