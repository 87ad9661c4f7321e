#include "app/output/build_output.h"
#include "app/output/count_text.h"
#include "app/output/join_report.h"
#include "app/output/json_number.h"

namespace {

nlohmann::ordered_json knotToJson(const Spline3D& spline, int i) {
    return {{"type", spline.GetKnotType(i)},
            {"line", spline.GetLineType(i)},
            {"point", pointToJson(spline.GetKnotPoint(i))},
            {"in", pointToJson(spline.GetInVec(i))},
            {"out", pointToJson(spline.GetOutVec(i))}};
}

nlohmann::ordered_json splinesToJson(const BezierShape& cage) {
    nlohmann::ordered_json splines = nlohmann::ordered_json::array();
    for (int s = 0; s < cage.SplineCount(); ++s) {
        const Spline3D& spline = *cage.GetSpline(s);
        nlohmann::ordered_json knots = nlohmann::ordered_json::array();
        for (int i = 0; i < spline.KnotCount(); ++i) knots.push_back(knotToJson(spline, i));
        splines.push_back({{"closed", spline.Closed() != 0}, {"knots", std::move(knots)}});
    }
    return splines;
}

// {"name", "splineType", "valid", "splines", "cagePoints", "cageLinks"}.
nlohmann::ordered_json cageToJson(const CageSnapshot& snapshot) {
    nlohmann::ordered_json points = nlohmann::ordered_json::array();
    for (const Point3& p : snapshot.cagePoints) points.push_back(pointToJson(p));
    nlohmann::ordered_json links = nlohmann::ordered_json::array();
    for (const CageLink& link : snapshot.cageLinks) links.push_back({link.from, link.to, link.used});
    return {{"name", snapshot.name},
            {"splineType", snapshot.splineType},
            {"valid", {snapshot.valid.Start(), snapshot.valid.End()}},
            {"splines", splinesToJson(snapshot.cage)},
            {"cagePoints", std::move(points)},
            {"cageLinks", std::move(links)}};
}

// "Cage at time 0: 3 sections, 7 splines, 28 knots". Sections after an
// empty slot 1 are never gathered: the line says so instead of counting them.
std::string cageSummary(const CageSnapshot& snapshot) {
    std::string sections = snapshot.firstSlotEmpty ? "slot 1 is empty" : countOf(snapshot.filledSections, "section");
    return printableName(snapshot.name) + " at time " + std::to_string(snapshot.time) + ": " + sections + ", " +
           countOf(snapshot.cage.SplineCount(), "spline") + ", " + countOf(countKnots(snapshot.cage), "knot");
}

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
