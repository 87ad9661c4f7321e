#include "app/output/build_output.h"
#include "app/output/count_text.h"
#include "app/output/join_report.h"
#include "app/output/json_writer.h"

namespace {

void writeKnot(JsonWriter& json, const Spline3D& spline, int i) {
    json.beginObject();
    json.key("type");
    json.value(spline.GetKnotType(i));
    json.key("line");
    json.value(spline.GetLineType(i));
    json.key("point");
    json.value(spline.GetKnotPoint(i));
    json.key("in");
    json.value(spline.GetInVec(i));
    json.key("out");
    json.value(spline.GetOutVec(i));
    json.endObject();
}

void writeSplines(JsonWriter& json, const BezierShape& cage) {
    json.beginArray();
    for (int s = 0; s < cage.SplineCount(); ++s) {
        const Spline3D& spline = *cage.GetSpline(s);
        json.beginObject();
        json.key("closed");
        json.value(spline.Closed() != 0);
        json.key("knots");
        json.beginArray();
        for (int i = 0; i < spline.KnotCount(); ++i) writeKnot(json, spline, i);
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

void writeLinkTables(JsonWriter& json, const CageSnapshot& snapshot) {
    json.key("cagePoints");
    json.beginArray();
    for (const Point3& p : snapshot.cagePoints) json.value(p);
    json.endArray();
    json.key("cageLinks");
    json.beginArray();
    for (const CageLink& link : snapshot.cageLinks) {
        json.beginArray();
        json.value(link.from);
        json.value(link.to);
        json.value(link.used);
        json.endArray();
    }
    json.endArray();
}

// {"name", "splineType", "valid", "splines", "cagePoints", "cageLinks"[, "report"]}.
void writeCage(JsonWriter& json, const CageSnapshot& snapshot, bool withReport) {
    json.beginObject();
    json.key("name");
    json.value(snapshot.name);
    json.key("splineType");
    json.value(snapshot.splineType);
    json.key("valid");
    json.beginArray();
    json.value(snapshot.valid.Start());
    json.value(snapshot.valid.End());
    json.endArray();
    json.key("splines");
    writeSplines(json, snapshot.cage());
    writeLinkTables(json, snapshot);
    if (withReport) {
        json.key("report");
        writeJoinReport(json, snapshot);
    }
    json.endObject();
}

void writeFrame(JsonWriter& json, const EvaluatedFrame& frame, bool withReports) {
    json.beginObject();
    json.key("time");
    json.value(frame.time);
    json.key("objects");
    json.beginArray();
    for (const CageSnapshot& snapshot : frame.objects) writeCage(json, snapshot, withReports);
    json.endArray();
    json.endObject();
}

// "Cage at time 0: 3 sections, 7 splines, 28 knots". Sections after an
// empty slot 1 are never gathered: the line says so instead of counting them.
std::string cageSummary(const CageSnapshot& snapshot) {
    std::string sections = snapshot.firstSlotEmpty ? "slot 1 is empty" : countOf(snapshot.filledSections, "section");
    return printableName(snapshot.name) + " at time " + std::to_string(snapshot.time) + ": " + sections + ", " +
           countOf(snapshot.splineCount, "spline") + ", " + countOf(snapshot.knotCount, "knot");
}

}  // namespace

void writeBuildDocument(std::ostream& out, const std::vector<EvaluatedFrame>& frames, bool withReports) {
    JsonWriter json(out);
    if (frames.size() == 1) {
        writeFrame(json, frames.front(), withReports);
    } else {
        json.beginObject();
        json.key("frames");
        json.beginArray();
        for (const EvaluatedFrame& frame : frames) writeFrame(json, frame, withReports);
        json.endArray();
        json.endObject();
    }
    json.finish();
}

std::string buildSummary(const std::vector<EvaluatedFrame>& frames) {
    std::string text;
    for (const EvaluatedFrame& frame : frames)
        for (const CageSnapshot& snapshot : frame.objects) text += cageSummary(snapshot) + "\n";
    return text;
}
