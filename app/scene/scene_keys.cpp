#include "app/scene/scene_keys.h"
#include <algorithm>
#include <string>
#include "app/scene/limits.h"

namespace {

// [time, value]: the count is checked before the elements.
void readKey(FieldReader& key, const std::function<float(FieldReader&)>& readValue, KeyedValues& values) {
    if (key.kind() != JsonKind::Array) key.failType("an array");
    std::pair<TimeValue, float> read(0, 0.0f);
    bool kept = values.keys.size() < MAX_ANIMATION_KEYS;
    std::optional<SceneError> fault;
    std::size_t count = key.readArrayCheckingCountFirst(
        [&](std::size_t i) {
            if (i == 0) {
                read.first = key.readInt();
                // Keys past the limit are refused with the scene, so they need no comparing.
                for (const auto& earlier : values.keys)
                    if (kept && earlier.first == read.first) key.fail("two keys at time " + std::to_string(read.first));
            } else if (i == 1) {
                read.second = readValue(key);
            } else {
                key.skip();
            }
        },
        fault);
    if (count != 2) key.fail("expected [time, value]");
    if (fault) throw *fault;
    if (kept) values.keys.push_back(read);
}

}  // namespace

KeyedValues readKeyedValues(FieldReader& animated, const std::function<float(FieldReader&)>& readValue) {
    KeyedValues values;
    bool given = false;
    animated.readObject([&](std::string_view name) {
        if (name != "keys") return false;
        given = true;
        values = KeyedValues();
        values.count = animated.readArray([&](std::size_t) { readKey(animated, readValue, values); });
        if (values.count == 0) animated.fail("expected at least one key");
        return true;
    });
    if (!given) animated.fail("missing required field \"keys\"");
    std::sort(values.keys.begin(), values.keys.end());
    return values;
}
