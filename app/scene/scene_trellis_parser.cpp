#include "app/scene/scene_trellis_parser.h"
#include "app/scene/scene_keys.h"
#include "app/scene/spline_type_names.h"

namespace {

const char* const SPLINE_TYPE_ACCEPTED = "an integer, \"Linear\", \"Smooth\", \"Bezier\" or \"Bezier Corner\"";

// A "SplineType" value: any integer (the object decides what values outside
// 0..3 mean) or one of the panel's names.
int readSplineTypeValue(FieldReader& at) {
    if (at.kind() != JsonKind::String) {
        if (at.kind() != JsonKind::Number) at.failType(SPLINE_TYPE_ACCEPTED);
        return at.readInt();
    }
    std::string caption(at.readString());
    if (std::optional<int> value = splineTypeOfCaption(caption)) return *value;
    at.fail("unknown spline type " + quoteName(caption) + " (expected " + SPLINE_TYPE_ACCEPTED + ")");
}

// A key's value: a panel name, or any number (the block keeps it as a float).
float readSplineTypeKeyValue(FieldReader& at) {
    return at.kind() == JsonKind::String ? static_cast<float>(readSplineTypeValue(at)) : at.readFloat();
}

SplineTypeDesc readSplineType(FieldReader& at, SceneSizeCheck& sizes) {
    SplineTypeDesc desc;
    if (at.kind() == JsonKind::Object) {
        KeyedValues keyed = readKeyedValues(at, readSplineTypeKeyValue);
        desc.keys = std::move(keyed.keys);
        sizes.splineTypeKeys(keyed.count, at.where() + ".keys");
    } else {
        desc.value = readSplineTypeValue(at);
    }
    return desc;
}

// The slot count is checked before the slots.
std::vector<std::optional<std::string>> readSections(FieldReader& sections) {
    if (sections.kind() != JsonKind::Array) sections.failType("an array");
    std::vector<std::optional<std::string>> names;
    std::optional<SceneError> fault;
    std::size_t count = sections.readArrayCheckingCountFirst(
        [&](std::size_t slot) {
            if (slot >= MAX_SECTION_SLOTS) return sections.skip();
            JsonKind kind = sections.kind();
            if (kind == JsonKind::Null) {
                sections.readNull();
                names.emplace_back(std::nullopt);
            } else if (kind == JsonKind::String) {
                names.emplace_back(sections.readString());
            } else {
                sections.failType("a node name or null");
            }
        },
        fault);
    if (count > MAX_SECTION_SLOTS)
        sections.fail(std::to_string(count) + " section slots, at most " + std::to_string(MAX_SECTION_SLOTS));
    if (fault) throw *fault;
    return names;
}

}  // namespace

TrellisDesc parseTrellis(FieldReader& trellis, SceneSizeCheck& sizes) {
    TrellisDesc desc;
    bool named = false;
    trellis.readObject([&](std::string_view key) {
        if (key == "name") {
            desc.name = trellis.readName();
            named = true;
        } else if (key == "position") {
            desc.position = trellis.readPoint();
        } else if (key == "splineType") {
            desc.splineType = readSplineType(trellis, sizes);
        } else if (key == "sections") {
            desc.sections = readSections(trellis);
        } else {
            return false;
        }
        return true;
    });
    if (!named) trellis.fail("missing required field \"name\"");
    return desc;
}
