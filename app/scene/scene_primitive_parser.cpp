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

const PrimitiveFormat* formatOf(std::string_view key) {
    for (const PrimitiveFormat& format : primitiveFormats())
        if (key == format.key) return &format;
    return nullptr;
}

float readValue(FieldReader& at, ParamRange range) {
    if (range == ParamRange::Count) {
        if (at.kind() != JsonKind::Number) at.failType("an integer");
        int count = at.readInt();
        if (count < SIMPLE_SHAPE_MIN_COUNT || count > SIMPLE_SHAPE_MAX_COUNT)
            at.fail("expected an integer from " + std::to_string(SIMPLE_SHAPE_MIN_COUNT) + " to " +
                    std::to_string(SIMPLE_SHAPE_MAX_COUNT) + ", got " + std::to_string(count));
        return static_cast<float>(count);
    }
    if (at.kind() != JsonKind::Number) at.failType("a number");
    float size = at.readFloat();
    if (size < 0.0f) at.fail("expected a number >= 0, got " + at.lastNumber().text());
    return size;
}

AnimatedValue readParam(FieldReader& at, ParamRange range, std::size_t& mostKeys) {
    AnimatedValue value;
    if (at.kind() == JsonKind::Object) {
        KeyedValues keyed = readKeyedValues(at, [range](FieldReader& v) { return readValue(v, range); });
        value.keys = std::move(keyed.keys);
        mostKeys = std::max(mostKeys, keyed.count);
    } else {
        value.value = readValue(at, range);
    }
    return value;
}

}  // namespace

bool isPrimitiveKey(std::string_view key) {
    return formatOf(key) != nullptr;
}

PrimitiveDesc parsePrimitive(FieldReader& params, std::string_view key, std::size_t& mostKeys) {
    const PrimitiveFormat& format = *formatOf(key);
    PrimitiveDesc desc;
    desc.kind = format.kind;
    desc.params.resize(format.params.size());
    std::vector<bool> given(format.params.size(), false);
    params.readObject([&](std::string_view name) {
        auto param = std::find_if(format.params.begin(), format.params.end(),
                                  [&name](const ParamFormat& p) { return name == p.name; });
        // A misspelt parameter would otherwise only show as a missing one.
        if (param == format.params.end()) params.failAbove("unknown parameter " + quoteName(std::string(name)));
        desc.params[param->index] = readParam(params, param->range, mostKeys);
        given[param->index] = true;
        return true;
    });
    for (const ParamFormat& param : format.params)
        if (!given[param.index]) params.fail(std::string("missing required field \"") + param.name + "\"");
    return desc;
}
