#include "app/scene/scene_trellis_parser.h"
#include "app/scene/scene_keys.h"
#include "app/scene/spline_type_names.h"

namespace {

const char* const SPLINE_TYPE_ACCEPTED = "an integer, \"Linear\", \"Smooth\", \"Bezier\" or \"Bezier Corner\"";

// A "SplineType" value: any integer (the object decides what values outside
// 0..3 mean) or one of the panel's names.
int readSplineTypeValue(const JsonField& at) {
    if (!at.value().is_string()) {
        if (!at.value().is_number()) at.fail(std::string("expected ") + SPLINE_TYPE_ACCEPTED + ", got " + at.value().type_name());
        return at.readInt();
    }
    if (std::optional<int> value = splineTypeOfCaption(at.value().get<std::string>())) return *value;
    at.fail("unknown spline type " + quoteName(at.value().get<std::string>()) + " (expected " + SPLINE_TYPE_ACCEPTED + ")");
}

// A key's value: a panel name, or any number (the block keeps it as a float).
float readSplineTypeKeyValue(const JsonField& at) {
    return at.value().is_string() ? static_cast<float>(readSplineTypeValue(at)) : at.readFloat();
}

SplineTypeDesc readSplineType(const JsonField& at) {
    SplineTypeDesc desc;
    if (at.value().is_object()) desc.keys = readKeyedValues(at, readSplineTypeKeyValue);
    else desc.value = readSplineTypeValue(at);
    return desc;
}

std::vector<std::optional<std::string>> readSections(const JsonField& sections) {
    std::size_t count = sections.arraySize();
    if (count > MAX_SECTION_SLOTS)
        sections.fail(std::to_string(count) + " section slots, at most " + std::to_string(MAX_SECTION_SLOTS));
    std::vector<std::optional<std::string>> names;
    for (std::size_t i = 0; i < count; ++i) {
        JsonField slot = sections.element(i);
        if (slot.value().is_null()) names.emplace_back(std::nullopt);
        else if (slot.value().is_string()) names.emplace_back(slot.readString());
        else slot.fail(std::string("expected a node name or null, got ") + slot.value().type_name());
    }
    return names;
}

}  // namespace

TrellisDesc parseTrellis(const JsonField& trellis) {
    trellis.requireObject();
    TrellisDesc desc;
    desc.name = trellis.member("name").readName();
    if (auto position = trellis.optionalMember("position")) desc.position = position->readPoint();
    if (auto splineType = trellis.optionalMember("splineType")) desc.splineType = readSplineType(*splineType);
    if (auto sections = trellis.optionalMember("sections")) desc.sections = readSections(*sections);
    return desc;
}
