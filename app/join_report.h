// The cage report: how each pair of consecutive sections of a cage was
// joined, with how many links, and which knots got no link, so that a user
// sees where the cage will be thin. Worked out from the cage and the
// object's link tables after the build, never by building again.
#pragma once
#include <string>
#include <vector>
#include <nlohmann/json.hpp>
#include "app/cage_report.h"

// Joins, as the report names them.
extern const char* const JOIN_RIBS;             // all sections match: the ribs run knot by knot
extern const char* const JOIN_KNOT_BY_KNOT;     // equal knot counts and closure
extern const char* const JOIN_CLOSING_LINK;     // equal counts, one closed: "knot by knot plus the closing link"
extern const char* const JOIN_ARC_LENGTH;       // different knot counts
extern const char* const JOIN_NONE;             // a section without knots: nothing to link
extern const char* const JOIN_NOT_JOINED;       // the build ended before joining (a section gave no spline)

struct UnlinkedKnot {
    int section;   // 0-based index among the gathered sections
    int knot;      // 0-based knot index in that section
};

// Sections `from` and `from + 1`.
struct PairJoin {
    int from = 0;
    const char* join = JOIN_NONE;
    int links = 0;
    std::vector<UnlinkedKnot> unlinked;
};

// `copies`: the cage's first splines that are section copies. A knot counts
// as linked when a link of its pair ends at its point on its side (`from` for
// the pair's first section, `to` for the second). The link tables name a
// point by the first index holding an equal point, which may lie in an
// earlier section; comparing points rather than index ranges counts such a
// shared end for the knot whose point it is. Knots of one section at one
// point cannot be told apart in the tables: they are linked or not together.
std::vector<PairJoin> reportJoins(const BezierShape& cage, int copies, const std::vector<Point3>& cagePoints,
                                  const std::vector<CageLink>& cageLinks);

std::vector<PairJoin> reportJoins(const CageSnapshot& snapshot);

// [{"from", "to", "fromSection", "toSection", "join", "links", "unlinked": [{"section", "index", "knot"}]}].
nlohmann::ordered_json joinReportToJson(const CageSnapshot& snapshot);

// A heading line for the object, then one line per pair and one per section
// with knots that got no link.
std::string joinReportText(const CageSnapshot& snapshot);
