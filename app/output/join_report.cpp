#include "app/output/join_report.h"
#include <algorithm>
#include <map>
#include "app/output/count_text.h"
#include "app/scene/scene_error.h"

namespace {

// The join as the JSON names it.
const char* joinName(int join) {
    switch (join) {
        case TRELLIS_JOIN_RIBS: return "ribs";
        case TRELLIS_JOIN_KNOT_BY_KNOT: return "knot by knot";
        case TRELLIS_JOIN_CLOSING_LINK: return "knot by knot plus the closing link";
        case TRELLIS_JOIN_ARC_LENGTH: return "by arc length";
        case TRELLIS_JOIN_NONE: return "none";
        default: return "not joined";
    }
}

bool joinedByLinks(int join) {
    return join == TRELLIS_JOIN_KNOT_BY_KNOT || join == TRELLIS_JOIN_CLOSING_LINK || join == TRELLIS_JOIN_ARC_LENGTH ||
           join == TRELLIS_JOIN_NONE;
}

void addUnlinked(const Spline3D& copy, int section, const std::vector<Point3>& ends, PairJoin& pair) {
    for (int i = 0; i < copy.KnotCount(); ++i)
        if (std::find(ends.begin(), ends.end(), copy.GetKnotPoint(i)) == ends.end())
            pair.unlinked.push_back({section, i});
}

// The pair's links are its stretch of the link table; both copies' knots
// are checked against their side's ends. Indices outside the tables (the
// tables are the plug-in's word) name no end.
void findUnlinked(const CageSnapshot& snapshot, const TrellisPairJoin& recorded, PairJoin& pair) {
    const std::size_t points = snapshot.cagePoints.size();
    std::vector<Point3> fromEnds, toEnds;
    for (int i = std::max(recorded.firstLink, 0); i < recorded.firstLink + recorded.links; ++i) {
        if (static_cast<std::size_t>(i) >= snapshot.cageLinks.size()) break;
        const CageLink& link = snapshot.cageLinks[i];
        if (link.from < 0 || link.to < 0 || std::size_t(link.from) >= points || std::size_t(link.to) >= points) continue;
        fromEnds.push_back(snapshot.cagePoints[link.from]);
        toEnds.push_back(snapshot.cagePoints[link.to]);
    }
    addUnlinked(*snapshot.cage().GetSpline(pair.from), pair.from, fromEnds, pair);
    addUnlinked(*snapshot.cage().GetSpline(pair.from + 1), pair.from + 1, toEnds, pair);
}

std::string sectionLabel(const CageSnapshot& snapshot, int section) {
    const auto& names = snapshot.view.sectionNames;
    std::string name = section < static_cast<int>(names.size()) ? names[section] : std::string();
    return std::to_string(section) + " " + quoteName(name);
}

std::string sectionName(const CageSnapshot& snapshot, int section) {
    const auto& names = snapshot.view.sectionNames;
    return section < static_cast<int>(names.size()) ? names[section] : std::string();
}

std::string joinInWords(const PairJoin& pair) {
    if (pair.join == TRELLIS_JOIN_RIBS) return std::string(joinName(TRELLIS_JOIN_KNOT_BY_KNOT)) + ", " + countOf(pair.links, "rib");
    if (pair.join == TRELLIS_JOIN_NOT_JOINED) return "not joined: the build ended before joining";
    if (pair.join == TRELLIS_JOIN_NONE) return "no links: a section has no knots";
    return std::string(joinName(pair.join)) + ", " + countOf(pair.links, "link");
}

std::string pairLine(const CageSnapshot& snapshot, const PairJoin& pair) {
    return "  " + sectionLabel(snapshot, pair.from) + " -> " + sectionLabel(snapshot, pair.from + 1) + ": " +
           joinInWords(pair) + "\n";
}

// "    no link at 1 "Belly": knots 3, 7" for each section of the pair with such knots.
std::string unlinkedLines(const CageSnapshot& snapshot, const PairJoin& pair) {
    std::map<int, std::string> knotsBySection;
    for (const UnlinkedKnot& k : pair.unlinked) {
        std::string& knots = knotsBySection[k.section];
        knots += (knots.empty() ? "" : ", ") + std::to_string(k.knot);
    }
    std::string text;
    for (const auto& [section, knots] : knotsBySection)
        text += "    no link at " + sectionLabel(snapshot, section) + ": knot" +
                (knots.find(',') == std::string::npos ? " " : "s ") + knots + "\n";
    return text;
}

}  // namespace

std::vector<PairJoin> reportJoins(const CageSnapshot& snapshot) {
    std::vector<PairJoin> pairs;
    for (std::size_t k = 0; k < snapshot.joins.size(); ++k) {
        const TrellisPairJoin& recorded = snapshot.joins[k];
        PairJoin pair;
        pair.from = static_cast<int>(k);
        pair.join = recorded.join;
        pair.links = recorded.links;
        if (joinedByLinks(recorded.join)) findUnlinked(snapshot, recorded, pair);
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

void writeJoinReport(JsonWriter& json, const CageSnapshot& snapshot) {
    json.beginArray();
    for (const PairJoin& pair : reportJoins(snapshot)) {
        json.beginObject();
        json.key("from");
        json.value(pair.from);
        json.key("to");
        json.value(pair.from + 1);
        json.key("fromSection");
        json.value(sectionName(snapshot, pair.from));
        json.key("toSection");
        json.value(sectionName(snapshot, pair.from + 1));
        json.key("join");
        json.value(std::string(joinName(pair.join)));
        json.key("links");
        json.value(pair.links);
        json.key("unlinked");
        json.beginArray();
        for (const UnlinkedKnot& k : pair.unlinked) {
            json.beginObject();
            json.key("section");
            json.value(sectionName(snapshot, k.section));
            json.key("index");
            json.value(k.section);
            json.key("knot");
            json.value(k.knot);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

std::string joinReportText(const CageSnapshot& snapshot) {
    std::vector<PairJoin> pairs = reportJoins(snapshot);
    std::string heading = printableName(snapshot.name) + " at time " + std::to_string(snapshot.time);
    if (snapshot.firstSlotEmpty) return heading + ": slot 1 is empty, nothing gathered or joined\n";
    if (pairs.empty()) return heading + ": fewer than two sections, nothing joined\n";
    std::string text = heading + ", joins of its sections:\n";
    for (const PairJoin& pair : pairs) text += pairLine(snapshot, pair) + unlinkedLines(snapshot, pair);
    return text;
}
