// The link-building tables of the cage builder and the pure walks over them.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>
#include "tab.h"
#include "point3.h"

// One link between a knot of copy k and a knot of copy k + 1, as indices into
// the cage point table. `used` turns 1 once the link is placed in a chain.
struct CageLink {
    std::int32_t from;
    std::int32_t to;
    std::int32_t used;
};

// Entry pairs (index into the longer copy's table, index into the shorter's)
// of the arc-length walk over two fraction tables.
typedef std::vector<std::pair<int, int>> EntryPairs;
