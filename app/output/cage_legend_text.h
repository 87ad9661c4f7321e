// The words a legend gives each object of a picture or a page: its
// "SplineType" and its counts.
#pragma once
#include <string>
#include "app/host/cage_snapshot.h"

// "time 0 · SplineType Bezier (3)"; values without a caption build corner knots.
std::string cageTimeAndTypeText(const CageSnapshot& snapshot);

// "3 sections · 4 connecting splines · 28 knots".
std::string cageCountsText(const CageSnapshot& snapshot);
