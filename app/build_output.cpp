#include "app/build_output.h"

namespace {

nlohmann::ordered_json frameToJson(const EvaluatedFrame& frame) {
    nlohmann::ordered_json objects = nlohmann::ordered_json::array();
    for (const CageSnapshot& snapshot : frame.objects) objects.push_back(cageToJson(snapshot));
    nlohmann::ordered_json json;
    json["time"] = frame.time;
    json["objects"] = std::move(objects);
    return json;
}

}  // namespace

nlohmann::ordered_json buildDocument(const std::vector<EvaluatedFrame>& frames) {
    if (frames.size() == 1) return frameToJson(frames.front());
    nlohmann::ordered_json all = nlohmann::ordered_json::array();
    for (const EvaluatedFrame& frame : frames) all.push_back(frameToJson(frame));
    nlohmann::ordered_json json;
    json["frames"] = std::move(all);
    return json;
}

std::string buildSummary(const std::vector<EvaluatedFrame>& frames) {
    std::string text;
    for (const EvaluatedFrame& frame : frames)
        for (const CageSnapshot& snapshot : frame.objects) text += cageSummary(snapshot) + "\n";
    return text;
}
