// The cage report: how each pair of consecutive sections of a cage was
// joined, with how many links, and which knots got no link, so that a user
// sees where the cage will be thin. The joins are as the object recorded
// them in its build; the report only puts them into words.
#pragma once
#include <string>
#include <vector>
#include "app/host/cage_snapshot.h"
#include "app/output/json_writer.h"

struct UnlinkedKnot {
    int section;   // 0-based index among the gathered sections
    int knot;      // 0-based knot index in that section
};

// Sections `from` and `from + 1`.
struct PairJoin {
    int from = 0;
    int join = TRELLIS_JOIN_NONE;   // a TrellisJoin
    int links = 0;
    std::vector<UnlinkedKnot> unlinked;
};

// A knot counts as linked when a link of its pair ends at its point on its
// side (`from` for the pair's first section, `to` for the second). The link
// tables name a point by the first index holding an equal point, which may
// lie in an earlier section; comparing points rather than index ranges
// counts such a shared end for the knot whose point it is. Knots of one
// section at one point cannot be told apart in the tables: they are linked
// or not together. Ribs run through every knot.
std::vector<PairJoin> reportJoins(const CageSnapshot& snapshot);

// [{"from", "to", "fromSection", "toSection", "join", "links", "unlinked": [{"section", "index", "knot"}]}].
void writeJoinReport(JsonWriter& json, const CageSnapshot& snapshot);

// A heading line for the object, then one line per pair and one per section
// with knots that got no link.
std::string joinReportText(const CageSnapshot& snapshot);
