#include "app/cage_report.h"
#include <memory>
#include "app/json_number.h"
#include "app/scene_error.h"
#include "object/trellis_object.h"

namespace {

int readSplineType(TrellisObject& object, TimeValue t) {
    int value = 0;
    Interval ignored = FOREVER;
    if (object.pblock) object.pblock->GetValue(PB_SPLINETYPE, t, value, ignored);
    return value;
}

int countFilledSections(TrellisObject& object) {
    int filled = 0;
    for (int slot = FIRST_SECTION_REF; slot < FIRST_SECTION_REF + MAX_SECTIONS; ++slot)
        if (object.GetReference(slot)) ++filled;
    return filled;
}

// The cage as the host's editable spline conversion gives it.
BezierShape convertCage(TrellisObject& object, const std::string& name, TimeValue t) {
    Object* converted = object.ConvertToType(t, splineShapeClassID);
    // The conversion hands over a new object; the base conversion would hand back the object itself.
    auto release = [&object](Object* o) { if (o && o != &object) o->DeleteThis(); };
    std::unique_ptr<Object, decltype(release)> owned(converted, release);
    SplineShape* spline = dynamic_cast<SplineShape*>(converted);
    if (!spline) throw SceneError(quoteName(name) + ": the object gave no editable spline at time " + std::to_string(t));
    return spline->shape;
}

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

int countKnots(const BezierShape& cage) {
    int knots = 0;
    for (int s = 0; s < cage.SplineCount(); ++s) knots += cage.GetSpline(s)->KnotCount();
    return knots;
}

// "1 knot", "2 knots".
std::string countOf(int n, const char* noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

}  // namespace

CageSnapshot snapshotCage(TrellisObject& object, const std::string& name, TimeValue t) {
    CageSnapshot snapshot;
    snapshot.name = name;
    snapshot.time = t;
    snapshot.cage = convertCage(object, name, t);
    snapshot.valid = object.shapeValid;
    snapshot.splineType = readSplineType(object, t);
    snapshot.filledSections = countFilledSections(object);
    for (int i = 0; i < object.cagePoints.Count(); ++i) snapshot.cagePoints.push_back(object.cagePoints[i]);
    for (int i = 0; i < object.cageLinks.Count(); ++i) snapshot.cageLinks.push_back(object.cageLinks[i]);
    return snapshot;
}

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

std::string cageSummary(const CageSnapshot& snapshot) {
    return snapshot.name + " at time " + std::to_string(snapshot.time) + ": " +
           countOf(snapshot.filledSections, "section") + ", " + countOf(snapshot.cage.SplineCount(), "spline") + ", " +
           countOf(countKnots(snapshot.cage), "knot");
}
