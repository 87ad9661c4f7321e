#include "builder/cage_point_index.h"
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

std::uint32_t bitsOf(float f) {
    if (f == 0.0f) f = 0.0f;  // -0.0 compares equal to 0.0, so it must hash alike
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

bool hasNaN(const Point3& p) { return std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z); }

// Equal points (under Point3 ==, not-a-number excluded) hash alike: x and y
// fill one 64-bit word, z is folded in by the golden-ratio multiplier, and
// splitmix64's finaliser spreads every input bit into the low bits that pick
// the slot.
std::uint64_t hashOf(const Point3& p) {
    std::uint64_t h = (static_cast<std::uint64_t>(bitsOf(p.x)) << 32 | bitsOf(p.y)) ^
                      (bitsOf(p.z) * 0x9E3779B97F4A7C15ull);
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
    return h ^ (h >> 31);
}

// Open addressing with linear probing in a power-of-two table at most half
// full. A slot holds the index of the first point stored with that value,
// and points are compared in the point table itself: slots of four bytes
// keep the table small, which the links benchmarks showed to matter (a
// table of keys missed the caches on nearly every lookup). The table lives
// only while the index is built.
class FirstIndexTable {
public:
    explicit FirstIndexTable(const Tab<Point3>& table)
        : points(table), slots(sizeFor(table.Count()), -1), mask(slots.size() - 1) {}

    // The first index stored with a point equal to points[i], after storing
    // i when there was none. points[i] must have no not-a-number coordinate.
    int firstOf(int i) {
        std::size_t s = static_cast<std::size_t>(hashOf(points[i])) & mask;
        while (slots[s] >= 0 && !(points[slots[s]] == points[i])) s = (s + 1) & mask;
        if (slots[s] < 0) slots[s] = i;
        return slots[s];
    }

private:
    static std::size_t sizeFor(int count) {
        std::size_t size = 16;
        while (size < 2 * static_cast<std::size_t>(count)) size *= 2;
        return size;
    }
    const Tab<Point3>& points;
    std::vector<int> slots;  // -1 while empty
    std::size_t mask;
};

}  // namespace

CagePointIndex::CagePointIndex(const Tab<Point3>& points) : firstEqual(points.Count(), 0) {
    FirstIndexTable table(points);
    for (int i = 0; i < points.Count(); ++i)
        if (!hasNaN(points[i])) firstEqual[i] = table.firstOf(i);
}
