// What the trellis object publishes to its host beyond the SDK's own
// interfaces: its class id, the layout of its references and parameter
// block, and a read-only view of how its last build joined the sections.
// A host holds no code of the plug-in; it includes this header and asks an
// object it made through the class descriptor for
// GetInterface(I_TRELLIS_CAGE).
#pragma once
#include <cstdint>
#include "max.h"

#define TRELLIS_CLASS_ID Class_ID(0x16F73A7F, 0x5F0D3760)
// The id a host passes to GetInterface for ITrellisCage.
#define I_TRELLIS_CAGE 0x16F73A80

// Reference slots: 0 the parameter block, 1..100 the sections in list
// order, 101..200 reserved and never filled.
const int PBLOCK_REF = 0;
const int FIRST_SECTION_REF = 1;
const int MAX_SECTIONS = 100;
const int TRELLIS_NUM_REFS = 201;
// Parameter index of "SplineType" in the block of reference 0.
const int PB_SPLINETYPE = 0;

// How the last build joined a pair of consecutive section copies.
enum TrellisJoin {
    TRELLIS_JOIN_RIBS,           // every copy matches: one rib per knot index runs through all of them
    TRELLIS_JOIN_KNOT_BY_KNOT,   // equal knot counts and closure: knot i to knot i
    TRELLIS_JOIN_CLOSING_LINK,   // equal counts, one copy closed: knot by knot plus the closing link
    TRELLIS_JOIN_ARC_LENGTH,     // different knot counts: knots paired by fractional arc length
    TRELLIS_JOIN_NONE,           // a copy without knots: nothing to join
    TRELLIS_JOIN_NOT_JOINED      // the build ended at a section without a spline, before joining
};

// Pair k joins section copies k and k + 1 of the cage.
struct TrellisPairJoin {
    int join;        // a TrellisJoin
    int links;       // ribs on the ribs road, else links of the pair in the link table
    int firstLink;   // index of the pair's first link in the link table; -1 off the links road
};

// One link of the link table, between a knot of copy k and a knot of copy
// k + 1, as indices into the cage point table: the first index holding a
// point equal to the knot's. `used` turns 1 once the link is placed in a
// connecting spline.
struct CageLink {
    std::int32_t from;
    std::int32_t to;
    std::int32_t used;
};

// Answers describe the cage the object holds now: ask after a query that
// brought its cache up to date at the time of interest (a conversion, a
// display). Tables are those of the last build that took the links road.
class ITrellisCage {
public:
    // The validity of the cached cage.
    virtual Interval CageValidity() = 0;
    // Section copies at the front of the cage: one per gathered section,
    // the empty copy of a section without a spline included.
    virtual int CageSectionCopies() = 0;
    // Pairs of consecutive section copies: copies - 1, or 0.
    virtual int CagePairCount() = 0;
    virtual TrellisPairJoin CagePairJoin(int pair) = 0;
    virtual int CagePointCount() = 0;
    virtual Point3 CagePoint(int i) = 0;
    virtual int CageLinkCount() = 0;
    virtual CageLink CageLinkAt(int i) = 0;

protected:
    ~ITrellisCage() = default;
};
