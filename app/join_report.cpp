#include "app/join_report.h"
#include <algorithm>
#include <map>
#include "app/scene_error.h"

const char* const JOIN_RIBS = "ribs";
const char* const JOIN_KNOT_BY_KNOT = "knot by knot";
const char* const JOIN_CLOSING_LINK = "knot by knot plus the closing link";
const char* const JOIN_ARC_LENGTH = "by arc length";
const char* const JOIN_NONE = "none";
const char* const JOIN_NOT_JOINED = "not joined";

namespace {

bool copiesMatch(const BezierShape& cage, int copies) {
    const Spline3D& first = *cage.GetSpline(0);
    for (int k = 1; k < copies; ++k) {
        const Spline3D& copy = *cage.GetSpline(k);
        if (copy.KnotCount() != first.KnotCount() || copy.Closed() != first.Closed()) return false;
    }
    return true;
}

// The links the links road lays down for a pair, by which the link table,
// grouped pair by pair, is split: none when a copy has no knots; n, plus
// the closing link when only one copy is closed, for equal counts; else one
// per knot of the longer copy, plus its wrap to knot 0 when it is the closed one.
int linksOfPair(const Spline3D& a, const Spline3D& b) {
    int na = a.KnotCount(), nb = b.KnotCount();
    bool closureDiffers = a.Closed() != b.Closed();
    if (na == 0 || nb == 0) return 0;
    if (na == nb) return na + (closureDiffers ? 1 : 0);
    const Spline3D& longer = na > nb ? a : b;
    return std::max(na, nb) + (closureDiffers && longer.Closed() ? 1 : 0);
}

const char* joinOfPair(const Spline3D& a, const Spline3D& b) {
    if (a.KnotCount() == 0 || b.KnotCount() == 0) return JOIN_NONE;
    if (a.KnotCount() != b.KnotCount()) return JOIN_ARC_LENGTH;
    return a.Closed() == b.Closed() ? JOIN_KNOT_BY_KNOT : JOIN_CLOSING_LINK;
}

void addUnlinked(const Spline3D& copy, int section, const std::vector<Point3>& ends, PairJoin& pair) {
    for (int i = 0; i < copy.KnotCount(); ++i)
        if (std::find(ends.begin(), ends.end(), copy.GetKnotPoint(i)) == ends.end())
            pair.unlinked.push_back({section, i});
}

PairJoin joinedPair(const BezierShape& cage, int k, const std::vector<Point3>& points, const CageLink* links, int count) {
    const Spline3D& a = *cage.GetSpline(k);
    const Spline3D& b = *cage.GetSpline(k + 1);
    PairJoin pair;
    pair.from = k;
    pair.join = joinOfPair(a, b);
    pair.links = count;
    std::vector<Point3> fromEnds, toEnds;
    for (int i = 0; i < count; ++i) {
        fromEnds.push_back(points[links[i].from]);
        toEnds.push_back(points[links[i].to]);
    }
    addUnlinked(a, k, fromEnds, pair);
    addUnlinked(b, k + 1, toEnds, pair);
    return pair;
}

std::vector<PairJoin> pairsJoinedAs(int copies, const char* join, int links) {
    std::vector<PairJoin> pairs;
    for (int k = 0; k + 1 < copies; ++k) pairs.push_back({k, join, links, {}});
    return pairs;
}

bool indicesInRange(const std::vector<CageLink>& links, std::size_t points) {
    for (const CageLink& link : links)
        if (link.from < 0 || link.to < 0 || std::size_t(link.from) >= points || std::size_t(link.to) >= points)
            return false;
    return true;
}

// The tables describe this build only when it took the links road to the
// end: then they hold exactly the links of its pairs. A build that ended
// before joining left the tables of an earlier build and no connecting spline.
std::vector<PairJoin> linkRoadJoins(const BezierShape& cage, int copies, const std::vector<Point3>& points,
                                    const std::vector<CageLink>& links) {
    std::vector<int> counts;
    std::size_t total = 0;
    for (int k = 0; k + 1 < copies; ++k) {
        counts.push_back(linksOfPair(*cage.GetSpline(k), *cage.GetSpline(k + 1)));
        total += counts.back();
    }
    bool joined = cage.SplineCount() > copies || total == 0;
    if (!joined || total != links.size() || !indicesInRange(links, points.size()))
        return pairsJoinedAs(copies, JOIN_NOT_JOINED, 0);
    std::vector<PairJoin> pairs;
    std::size_t start = 0;
    for (int k = 0; k + 1 < copies; ++k) {
        pairs.push_back(joinedPair(cage, k, points, links.data() + start, counts[k]));
        start += counts[k];
    }
    return pairs;
}

// Every rib runs through knot r of every section, so no knot is left out.
std::vector<PairJoin> ribsRoadJoins(const BezierShape& cage, int copies) {
    int ribs = cage.GetSpline(0)->KnotCount();
    if (ribs == 0) return pairsJoinedAs(copies, JOIN_NONE, 0);
    if (cage.SplineCount() == copies) return pairsJoinedAs(copies, JOIN_NOT_JOINED, 0);
    return pairsJoinedAs(copies, JOIN_RIBS, ribs);
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

std::string countOf(int n, const char* noun) { return std::to_string(n) + " " + noun + (n == 1 ? "" : "s"); }

std::string joinInWords(const PairJoin& pair) {
    if (pair.join == JOIN_RIBS) return std::string(JOIN_KNOT_BY_KNOT) + ", " + countOf(pair.links, "rib");
    if (pair.join == JOIN_NOT_JOINED) return "not joined: the build ended before joining";
    if (pair.join == JOIN_NONE) return "no links: a section has no knots";
    return std::string(pair.join) + ", " + countOf(pair.links, "link");
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

std::vector<PairJoin> reportJoins(const BezierShape& cage, int copies, const std::vector<Point3>& cagePoints,
                                  const std::vector<CageLink>& cageLinks) {
    if (copies < 2) return {};
    if (copiesMatch(cage, copies)) return ribsRoadJoins(cage, copies);
    return linkRoadJoins(cage, copies, cagePoints, cageLinks);
}

std::vector<PairJoin> reportJoins(const CageSnapshot& snapshot) {
    return reportJoins(snapshot.cage, countSectionCopies(snapshot.view), snapshot.cagePoints, snapshot.cageLinks);
}

nlohmann::ordered_json joinReportToJson(const CageSnapshot& snapshot) {
    nlohmann::ordered_json pairs = nlohmann::ordered_json::array();
    for (const PairJoin& pair : reportJoins(snapshot)) {
        nlohmann::ordered_json unlinked = nlohmann::ordered_json::array();
        for (const UnlinkedKnot& k : pair.unlinked)
            unlinked.push_back({{"section", sectionName(snapshot, k.section)}, {"index", k.section}, {"knot", k.knot}});
        pairs.push_back({{"from", pair.from},
                         {"to", pair.from + 1},
                         {"fromSection", sectionName(snapshot, pair.from)},
                         {"toSection", sectionName(snapshot, pair.from + 1)},
                         {"join", pair.join},
                         {"links", pair.links},
                         {"unlinked", std::move(unlinked)}});
    }
    return pairs;
}

std::string joinReportText(const CageSnapshot& snapshot) {
    std::vector<PairJoin> pairs = reportJoins(snapshot);
    std::string heading = snapshot.name + " at time " + std::to_string(snapshot.time);
    if (pairs.empty()) return heading + ": fewer than two sections, nothing joined\n";
    std::string text = heading + ", joins of its sections:\n";
    for (const PairJoin& pair : pairs) text += pairLine(snapshot, pair) + unlinkedLines(snapshot, pair);
    return text;
}
