#include "app/build_output.h"
#include "app/join_report.h"

namespace {

nlohmann::ordered_json frameToJson(const EvaluatedFrame& frame, bool withReports) {
    nlohmann::ordered_json objects = nlohmann::ordered_json::array();
    for (const CageSnapshot& snapshot : frame.objects) {
        objects.push_back(cageToJson(snapshot));
        if (withReports) objects.back()["report"] = joinReportToJson(snapshot);
    }
    nlohmann::ordered_json json;
    json["time"] = frame.time;
    json["objects"] = std::move(objects);
    return json;
}

}  // namespace

nlohmann::ordered_json buildDocument(const std::vector<EvaluatedFrame>& frames, bool withReports) {
    if (frames.size() == 1) return frameToJson(frames.front(), withReports);
    nlohmann::ordered_json all = nlohmann::ordered_json::array();
    for (const EvaluatedFrame& frame : frames) all.push_back(frameToJson(frame, withReports));
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
