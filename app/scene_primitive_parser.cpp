#include "app/scene_primitive_parser.h"
#include <algorithm>
#include <string>
#include "simpshp.h"
#include "app/scene_error.h"

namespace {

// Sizes take any finite number from 0 up; counts whole numbers in the
// range the host's shapes build.
enum class ParamRange { Size, Count };

struct ParamSpec {
    const char* name;
    int index;  // in the shape's parameter block
    ParamRange range;
};

struct PrimitiveSpec {
    const char* key;
    PrimitiveKind kind;
    std::vector<ParamSpec> params;
};

const std::vector<PrimitiveSpec>& primitiveSpecs() {
    static const std::vector<PrimitiveSpec> specs{
        {"circle", PrimitiveKind::Circle, {{"radius", PB_CIRCLE_RADIUS, ParamRange::Size}}},
        {"rectangle", PrimitiveKind::Rectangle,
         {{"length", PB_RECT_LENGTH, ParamRange::Size}, {"width", PB_RECT_WIDTH, ParamRange::Size}}},
        {"ngon", PrimitiveKind::NGon,
         {{"radius", PB_NGON_RADIUS, ParamRange::Size}, {"sides", PB_NGON_SIDES, ParamRange::Count}}},
        {"star", PrimitiveKind::Star,
         {{"radius1", PB_STAR_RADIUS1, ParamRange::Size}, {"radius2", PB_STAR_RADIUS2, ParamRange::Size},
          {"points", PB_STAR_POINTS, ParamRange::Count}}},
    };
    return specs;
}

const PrimitiveSpec& specOf(const char* key) {
    for (const PrimitiveSpec& spec : primitiveSpecs())
        if (std::string(spec.key) == key) return spec;
    return primitiveSpecs().front();  // callers pass keys from primitiveKeysOf
}

float readValue(const JsonField& at, ParamRange range) {
    if (range == ParamRange::Count) {
        if (!at.value().is_number()) at.fail(std::string("expected an integer, got ") + at.value().type_name());
        int count = at.readInt();
        if (count < SIMPLE_SHAPE_MIN_COUNT || count > SIMPLE_SHAPE_MAX_COUNT)
            at.fail("expected an integer from " + std::to_string(SIMPLE_SHAPE_MIN_COUNT) + " to " +
                    std::to_string(SIMPLE_SHAPE_MAX_COUNT) + ", got " + std::to_string(count));
        return static_cast<float>(count);
    }
    float size = at.readFloat();
    if (size < 0.0f) at.fail("expected a number >= 0, got " + at.value().dump());
    return size;
}

// [[time, value], ...]: sorted by time, no two at one time, each value checked.
std::vector<std::pair<TimeValue, float>> readKeys(const JsonField& animated, ParamRange range) {
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
        keys.emplace_back(time, readValue(key.element(1), range));
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

AnimatedValue readParam(const JsonField& at, ParamRange range) {
    AnimatedValue value;
    if (at.value().is_object()) value.keys = readKeys(at, range);
    else value.value = readValue(at, range);
    return value;
}

// A misspelt parameter would otherwise only show as a missing one.
void refuseUnknownParams(const JsonField& params, const PrimitiveSpec& spec) {
    for (const auto& item : params.value().items()) {
        bool known = std::any_of(spec.params.begin(), spec.params.end(),
                                 [&item](const ParamSpec& p) { return item.key() == p.name; });
        if (!known) params.fail("unknown parameter " + quoteName(item.key()));
    }
}

}  // namespace

std::vector<const char*> primitiveKeysOf(const JsonField& shape) {
    std::vector<const char*> keys;
    for (const PrimitiveSpec& spec : primitiveSpecs())
        if (shape.has(spec.key)) keys.push_back(spec.key);
    return keys;
}

PrimitiveDesc parsePrimitive(const JsonField& shape, const char* key) {
    const PrimitiveSpec& spec = specOf(key);
    JsonField params = shape.member(key);
    params.requireObject();
    refuseUnknownParams(params, spec);
    PrimitiveDesc desc;
    desc.kind = spec.kind;
    desc.params.resize(spec.params.size());
    for (const ParamSpec& param : spec.params)
        desc.params[param.index] = readParam(params.member(param.name), param.range);
    return desc;
}
