// The link-building tables of the cage builder and the pure walks over them.
#pragma once
#include <utility>
#include <vector>
#include "tab.h"
#include "point3.h"
#include "object/itrellis_cage.h"  // CageLink

// Entry pairs (index into the longer copy's table, index into the shorter's)
// of the arc-length walk over two fraction tables.
typedef std::vector<std::pair<int, int>> EntryPairs;
