#include "app/output/cage_marks.h"
#include <set>
#include <tuple>

std::string connectionColour(int index) {
    static const char* const PALETTE[] = {"#e8590c", "#1c7ed6", "#2b8a3e", "#ae3ec9",
                                          "#c2255c", "#0b7285", "#e67700", "#5f3dc4"};
    const int count = static_cast<int>(sizeof(PALETTE) / sizeof(PALETTE[0]));
    return PALETTE[((index % count) + count) % count];
}

namespace {

// Distinct knot points of a cage, counted up to one more than `enough`:
// past that the answer is known, and a cage may hold hundreds of thousands.
std::size_t countDistinctKnots(const CageSnapshot& snapshot, std::size_t enough) {
    std::set<std::tuple<float, float, float>> distinct;
    forEachWorldKnot(snapshot, [&](const Point3& k) {
        if (distinct.size() <= enough) distinct.emplace(k.x, k.y, k.z);
    });
    return distinct.size();
}

}  // namespace

bool knotsMarked(const std::vector<CageSnapshot>& cages) {
    const std::size_t limit = static_cast<std::size_t>(MAX_KNOT_MARKS);
    std::size_t knots = 0;
    for (const CageSnapshot& snapshot : cages) {
        knots += countDistinctKnots(snapshot, limit - knots);
        if (knots > limit) return false;
    }
    return true;
}
