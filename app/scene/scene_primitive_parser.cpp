#include "app/scene/scene_primitive_parser.h"
#include <algorithm>
#include <string>
#include "simpshp.h"
#include "app/scene/scene_error.h"
#include "app/scene/scene_keys.h"

namespace {

// Sizes take any finite number from 0 up; counts whole numbers in the
// range the host's shapes build.
enum class ParamRange { Size, Count };

struct ParamFormat {
    const char* name;
    int index;  // in the shape's parameter block
    ParamRange range;
};

struct PrimitiveFormat {
    const char* key;
    PrimitiveKind kind;
    std::vector<ParamFormat> params;
};

const std::vector<PrimitiveFormat>& primitiveFormats() {
    static const std::vector<PrimitiveFormat> formats{
        {"circle", PrimitiveKind::Circle, {{"radius", PB_CIRCLE_RADIUS, ParamRange::Size}}},
        {"rectangle", PrimitiveKind::Rectangle,
         {{"length", PB_RECT_LENGTH, ParamRange::Size}, {"width", PB_RECT_WIDTH, ParamRange::Size}}},
        {"ngon", PrimitiveKind::NGon,
         {{"radius", PB_NGON_RADIUS, ParamRange::Size}, {"sides", PB_NGON_SIDES, ParamRange::Count}}},
        {"star", PrimitiveKind::Star,
         {{"radius1", PB_STAR_RADIUS1, ParamRange::Size}, {"radius2", PB_STAR_RADIUS2, ParamRange::Size},
          {"points", PB_STAR_POINTS, ParamRange::Count}}},
    };
    return formats;
}

const PrimitiveFormat& formatOf(const char* key) {
    for (const PrimitiveFormat& format : primitiveFormats())
        if (std::string(format.key) == key) return format;
    return primitiveFormats().front();  // callers pass keys from primitiveKeysOf
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

AnimatedValue readParam(const JsonField& at, ParamRange range) {
    AnimatedValue value;
    if (at.value().is_object())
        value.keys = readKeyedValues(at, [range](const JsonField& v) { return readValue(v, range); });
    else value.value = readValue(at, range);
    return value;
}

// A misspelt parameter would otherwise only show as a missing one.
void refuseUnknownParams(const JsonField& params, const PrimitiveFormat& format) {
    for (const auto& item : params.value().items()) {
        bool known = std::any_of(format.params.begin(), format.params.end(),
                                 [&item](const ParamFormat& p) { return item.key() == p.name; });
        if (!known) params.fail("unknown parameter " + quoteName(item.key()));
    }
}

}  // namespace

std::vector<const char*> primitiveKeysOf(const JsonField& shape) {
    std::vector<const char*> keys;
    for (const PrimitiveFormat& format : primitiveFormats())
        if (shape.has(format.key)) keys.push_back(format.key);
    return keys;
}

PrimitiveDesc parsePrimitive(const JsonField& shape, const char* key) {
    const PrimitiveFormat& format = formatOf(key);
    JsonField params = shape.member(key);
    params.requireObject();
    refuseUnknownParams(params, format);
    PrimitiveDesc desc;
    desc.kind = format.kind;
    desc.params.resize(format.params.size());
    for (const ParamFormat& param : format.params)
        desc.params[param.index] = readParam(params.member(param.name), param.range);
    return desc;
}
