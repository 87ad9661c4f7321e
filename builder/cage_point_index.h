// For every point of the cage point table, the first index that holds an
// equal point: what a scan of the table would answer for it, found for the
// whole table in one pass instead of one scan per link end.
#pragma once
#include <vector>
#include "tab.h"
#include "point3.h"

class CagePointIndex {
public:
    // Indexes `points` as it stands; the index answers for that content only.
    explicit CagePointIndex(const Tab<Point3>& points);

    // The first index whose point equals points[i] under Point3 ==, so a
    // -0.0 coordinate finds 0.0; 0 when points[i] has a not-a-number
    // coordinate, which equals no point, itself included.
    int firstEqualTo(int i) const { return firstEqual[i]; }

private:
    std::vector<int> firstEqual;
};
