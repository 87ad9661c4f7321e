#include "app/output/html_writer.h"
#include <cstdint>
#include <string>
#include "app/output/base64_text.h"
#include "app/output/cage_legend_text.h"
#include "app/output/cage_marks.h"
#include "app/output/join_report.h"
#include "app/output/json_writer.h"
#include "app/output/output_text.h"
#include "app/output/page_assets.h"

namespace {

const std::uint32_t CLOSED_CURVE = 0x80000000u;

// What the page's blocks of one object at one time hold, for its description.
struct BlockCounts {
    std::uint32_t points = 0;
    int curves = 0;
    std::uint32_t knots = 0;
};

void beginBlock(OutputText& page, const char* kind, std::size_t frame, std::size_t object) {
    page << "<script type=\"application/octet-stream\" id=\"" << kind << '-' << frame << '-' << object << "\">";
}

// The three blocks of one object: its points as they are written, then its
// curves and knots, gathered meanwhile (a few per cage spline and knot).
// Points that are not finite are left out; knots keep their index along
// their spline all the same.
BlockCounts writeCurveBlocks(OutputText& page, const CageSnapshot& snapshot, std::size_t frame, std::size_t object) {
    BlockCounts counts;
    std::vector<std::uint32_t> curves, knots;
    beginBlock(page, "points", frame, object);
    Base64Text points(page);
    const PolyShape& lines = snapshot.view.curves;
    Point3 world;
    for (int c = 0; c < lines.numLines(); ++c) {
        const PolyLine& line = lines.lines[c];
        const std::uint32_t first = counts.points;
        std::uint32_t knot = 0;
        for (int i = 0; i < line.numPts(); ++i) {
            const bool isKnot = (line.pts[static_cast<std::size_t>(i)].flags & POLYPT_KNOT) != 0;
            if (worldPoint(snapshot.view, line, i, world)) {
                points.float32(world.x);
                points.float32(world.y);
                points.float32(world.z);
                if (isKnot) knots.insert(knots.end(), {counts.points, knot});
                ++counts.points;
            }
            knot += isKnot;
        }
        curves.insert(curves.end(), {first, (counts.points - first) | (line.IsClosed() ? CLOSED_CURVE : 0u)});
    }
    points.finish();
    page << "</script>\n";
    for (const auto& [kind, values] : {std::pair<const char*, const std::vector<std::uint32_t>&>{"curves", curves},
                                       {"knots", knots}}) {
        beginBlock(page, kind, frame, object);
        Base64Text block(page);
        for (std::uint32_t value : values) block.uint32(value);
        block.finish();
        page << "</script>\n";
    }
    counts.curves = lines.numLines();
    counts.knots = static_cast<std::uint32_t>(knots.size() / 2);
    return counts;
}

void writeStrings(JsonWriter& json, const char* key, const std::vector<std::string>& strings) {
    json.key(key);
    json.beginArray();
    for (const std::string& s : strings) json.value(s);
    json.endArray();
}

void writeObjectDescription(JsonWriter& json, const CageSnapshot& snapshot, int index, const BlockCounts& counts) {
    json.beginObject();
    json.key("name");
    json.value(snapshot.name);
    json.key("colour");
    json.value(connectionColour(index));
    json.key("legend");
    json.beginArray();
    json.value(cageTimeAndTypeText(snapshot));
    json.value(cageCountsText(snapshot));
    json.endArray();
    json.key("sectionCopies");
    json.value(snapshot.sectionCopies);
    writeStrings(json, "sectionNames", snapshot.view.sectionNames);
    json.key("sectionSlots");
    json.beginArray();
    for (int slot : snapshot.view.sectionSlots) json.value(slot);
    json.endArray();
    json.key("report");
    json.value(joinReportText(snapshot));
    json.key("points");
    json.value(static_cast<std::int64_t>(counts.points));
    json.key("curves");
    json.value(counts.curves);
    json.key("knots");
    json.value(static_cast<std::int64_t>(counts.knots));
    json.endObject();
}

struct FrameCounts {
    std::vector<BlockCounts> objects;
    bool knotsMarked = true;
};

void writeDescription(OutputText& page, const std::vector<EvaluatedFrame>& frames,
                      const std::vector<FrameCounts>& counts) {
    page << "<script type=\"application/json\" id=\"trellis-data\">";
    page.finish();
    JsonWriter json(page.stream(), JsonStrings::ScriptSafe);
    json.beginObject();
    json.key("sectionColour");
    json.value(std::string(SECTION_COLOUR));
    json.key("maxKnotMarks");
    json.value(MAX_KNOT_MARKS);
    json.key("frames");
    json.beginArray();
    for (std::size_t f = 0; f < frames.size(); ++f) {
        json.beginObject();
        json.key("time");
        json.value(frames[f].time);
        json.key("knotsMarked");
        json.value(counts[f].knotsMarked);
        json.key("objects");
        json.beginArray();
        for (std::size_t o = 0; o < frames[f].objects.size(); ++o)
            writeObjectDescription(json, frames[f].objects[o], static_cast<int>(o), counts[f].objects[o]);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    json.finish();
    page << "</script>\n";
}

void writeAsset(OutputText& page, const char* element, const char* name) {
    page << '<' << element << " data-asset=\"" << name << "\">";
    page << pageAsset(name);
    page << "</" << element << ">\n";
}

std::string pageTitle(const std::vector<EvaluatedFrame>& frames) {
    if (frames.size() == 1) return "Trellis cages at time " + std::to_string(frames.front().time);
    return "Trellis cages at " + std::to_string(frames.size()) + " times";
}

}  // namespace

void writeCagesHtml(std::ostream& out, const std::vector<EvaluatedFrame>& frames) {
    OutputText page(out);
    page << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         << "<title>" << pageTitle(frames) << "</title>\n";
    writeAsset(page, "style", "viewer.css");
    page << "</head>\n<body>\n<noscript>This page draws the cages with JavaScript.</noscript>\n";
    std::vector<FrameCounts> counts(frames.size());
    for (std::size_t f = 0; f < frames.size(); ++f) {
        for (std::size_t o = 0; o < frames[f].objects.size(); ++o)
            counts[f].objects.push_back(writeCurveBlocks(page, frames[f].objects[o], f, o));
        counts[f].knotsMarked = knotsMarked(frames[f].objects);
    }
    writeDescription(page, frames, counts);
    for (const char* library : {"three.min.js", "OrbitControls.js", "LineSegmentsGeometry.js", "LineMaterial.js",
                                "LineSegments2.js", "viewer.js"})
        writeAsset(page, "script", library);
    page << "</body>\n</html>\n";
    page.finish();
}
