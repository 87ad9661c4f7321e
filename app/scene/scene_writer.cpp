#include "app/scene/scene_writer.h"
#include <cmath>
#include <fstream>
#include <sstream>
#include "app/output/json_number.h"

nlohmann::ordered_json readSceneDocument(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in || in.bad()) throw SceneError("cannot read the scene again");
    try {
        return nlohmann::ordered_json::parse(text.str());
    } catch (const nlohmann::json::exception&) {
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
        if (entry.is_object() && entry.value("name", "") == name) return &entry;
    return nullptr;
}

}  // namespace

nlohmann::ordered_json trellisToJson(const TrellisDesc& desc) {
    return {{"name", desc.name},
            {"position", pointToJson(desc.position)},
            {"splineType", splineTypeToJson(desc.splineType)},
            {"sections", sectionsToJson(desc.sections)}};
}

std::string sceneText(nlohmann::ordered_json document, const std::vector<TrellisDesc>& trellis) {
    nlohmann::ordered_json& list = document["trellis"];
    if (!list.is_array()) list = nlohmann::ordered_json::array();
    for (const TrellisDesc& desc : trellis) {
        nlohmann::ordered_json* entry = findTrellisEntry(list, desc.name);
        if (entry) *entry = trellisToJson(desc);
        else list.push_back(trellisToJson(desc));
    }
    return document.dump(2) + "\n";
}
