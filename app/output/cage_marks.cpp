#include "app/output/cage_marks.h"
#include <algorithm>
#include <tuple>
#include <vector>

std::string connectionColour(int index) {
    static const char* const PALETTE[] = {"#e8590c", "#1c7ed6", "#2b8a3e", "#ae3ec9",
                                          "#c2255c", "#0b7285", "#e67700", "#5f3dc4"};
    const int count = static_cast<int>(sizeof(PALETTE) / sizeof(PALETTE[0]));
    return PALETTE[((index % count) + count) % count];
}

namespace {

// Sorted rather than kept in a tree: a cage may hold hundreds of thousands of knots.
std::size_t countDistinctKnots(const CageSnapshot& snapshot) {
    std::vector<std::tuple<float, float, float>> knots;
    forEachWorldKnot(snapshot, [&](const Point3& k) { knots.emplace_back(k.x, k.y, k.z); });
    std::sort(knots.begin(), knots.end());
    return static_cast<std::size_t>(std::unique(knots.begin(), knots.end()) - knots.begin());
}

}  // namespace

bool knotsMarked(const std::vector<CageSnapshot>& cages) {
    std::size_t knots = 0;
    for (const CageSnapshot& snapshot : cages) knots += countDistinctKnots(snapshot);
    return knots <= static_cast<std::size_t>(MAX_KNOT_MARKS);
}
