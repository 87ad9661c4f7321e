#include "app/scene/scene_writer.h"
#include <climits>
#include <cmath>
#include "app/output/json_number.h"
#include "app/scene/field_reader.h"
#include "app/scene/scene_text.h"
#include "app/scene/scene_trellis_parser.h"

nlohmann::ordered_json readSceneDocument(const std::string& path) {
    std::string text;
    try {
        text = readSceneText(path);
    } catch (const SceneError&) {
        throw SceneError("cannot read the scene again");
    }
    try {
        refuseNulBytes(text);
        return nlohmann::ordered_json::parse(text);
    } catch (const nlohmann::json::exception&) {
        throw SceneError("the scene file changed while it was edited");
    } catch (const SceneError&) {
        throw SceneError("the scene file changed while it was edited");
    }
}

namespace {

// "SplineType" is an integer parameter, so its keys are whole numbers
// unless a file gave others; those are written as integers too.
nlohmann::ordered_json keyValueToJson(float value) {
    double number = roundTripDouble(value);
    bool whole = number == std::floor(number) && std::fabs(number) <= 2147483647.0;
    return whole ? nlohmann::ordered_json(static_cast<long long>(number)) : nlohmann::ordered_json(number);
}

nlohmann::ordered_json splineTypeToJson(const SplineTypeDesc& splineType) {
    if (splineType.keys.empty()) return splineType.value;
    nlohmann::ordered_json keys = nlohmann::ordered_json::array();
    for (const auto& key : splineType.keys) keys.push_back({key.first, keyValueToJson(key.second)});
    return {{"keys", std::move(keys)}};
}

nlohmann::ordered_json sectionsToJson(const std::vector<std::optional<std::string>>& sections) {
    nlohmann::ordered_json slots = nlohmann::ordered_json::array();
    for (const auto& slot : sections) slots.push_back(slot ? nlohmann::ordered_json(*slot) : nlohmann::ordered_json());
    return slots;
}

nlohmann::ordered_json* findTrellisEntry(nlohmann::ordered_json& list, const std::string& name) {
    for (nlohmann::ordered_json& entry : list)
        if (entry.is_object() && entry.contains("name") && entry["name"] == name) return &entry;
    return nullptr;
}

// The integer a parameter block gives for a single key: the nearest, the
// int range's end beyond it.
int nearestInt(float value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<float>(INT_MIN)) return INT_MIN;
    if (value >= static_cast<float>(INT_MAX)) return INT_MAX;
    return static_cast<int>(std::lround(value));
}

// A single key holds at every time, as a constant does: the object reads
// both alike, and the host reports the one key as a constant.
bool sameSplineType(const SplineTypeDesc& a, const SplineTypeDesc& b) {
    if (a.keys.size() > 1 || b.keys.size() > 1) return a.keys == b.keys;
    int aValue = a.keys.empty() ? a.value : nearestInt(a.keys.front().second);
    int bValue = b.keys.empty() ? b.value : nearestInt(b.keys.front().second);
    return aValue == bValue;
}

// Empty slots after the last filled one reference nothing, and the host
// does not report them.
bool sameSections(std::vector<std::optional<std::string>> a, std::vector<std::optional<std::string>> b) {
    while (!a.empty() && !a.back()) a.pop_back();
    while (!b.empty() && !b.back()) b.pop_back();
    return a == b;
}

// What the entry says of the two things an edit changes, read as the scene
// reader reads them. Its other fields are not read: they are kept as they are.
TrellisDesc editableParts(const nlohmann::ordered_json& entry) {
    nlohmann::json parts = nlohmann::json::object();
    for (const char* key : {"name", "splineType", "sections"})
        if (entry.contains(key)) parts[key] = nlohmann::json(entry[key]);
    try {
        std::string text = parts.dump();
        JsonReader json(text);
        FieldReader field(json);
        SceneSizeCheck sizes;
        TrellisDesc desc = parseTrellis(field, sizes);
        sizes.finish();
        return desc;
    } catch (const JsonSyntaxFault&) {
        throw SceneError("the scene file changed while it was edited");
    } catch (const SceneError&) {
        throw SceneError("the scene file changed while it was edited");
    }
}

// Only a field whose value the edit changed is written, in its place; a
// field the entry lacked goes after the others. Everything else, the
// "splineType" as its name or the keys as written included, stays.
void writeEdits(nlohmann::ordered_json& entry, const TrellisDesc& edited) {
    TrellisDesc written = editableParts(entry);
    if (!sameSplineType(written.splineType, edited.splineType)) entry["splineType"] = splineTypeToJson(edited.splineType);
    if (!sameSections(written.sections, edited.sections)) entry["sections"] = sectionsToJson(edited.sections);
}

}  // namespace

nlohmann::ordered_json trellisToJson(const TrellisDesc& desc) {
    return {{"name", desc.name},
            {"position", pointToJson(desc.position)},
            {"splineType", splineTypeToJson(desc.splineType)},
            {"sections", sectionsToJson(desc.sections)}};
}

std::string sceneText(nlohmann::ordered_json document, const std::vector<TrellisDesc>& trellis) {
    for (const TrellisDesc& desc : trellis) {
        // The scene was read, so "trellis" is an array when it is there at all.
        if (!document.contains("trellis")) document["trellis"] = nlohmann::ordered_json::array();
        nlohmann::ordered_json& list = document["trellis"];
        if (nlohmann::ordered_json* entry = findTrellisEntry(list, desc.name)) writeEdits(*entry, desc);
        else list.push_back(trellisToJson(desc));
    }
    return document.dump(2) + "\n";
}
