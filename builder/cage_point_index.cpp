#include "builder/cage_point_index.h"
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// The three coordinates' bit patterns, -0.0 written as 0.0, so that equal
// keys are exactly the points that compare equal.
struct Key {
    std::uint32_t x, y, z;
    bool operator==(const Key& o) const { return x == o.x && y == o.y && z == o.z; }
};

std::uint32_t bitsOf(float f) {
    if (f == 0.0f) f = 0.0f;  // -0.0 compares equal to 0.0, so it shares its key
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

Key keyOf(const Point3& p) { return Key{bitsOf(p.x), bitsOf(p.y), bitsOf(p.z)}; }

bool hasNaN(const Point3& p) { return std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z); }

// x and y fill one 64-bit word, z is folded in by the golden-ratio
// multiplier, and splitmix64's finaliser spreads every input bit, so the
// low bits that pick the slot depend on all three coordinates.
std::uint64_t hashOf(const Key& k) {
    std::uint64_t h = (static_cast<std::uint64_t>(k.x) << 32 | k.y) ^ (k.z * 0x9E3779B97F4A7C15ull);
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
    return h ^ (h >> 31);
}

// Open addressing with linear probing in a power-of-two table at most half
// full. Each slot holds the key of the first point stored with it; the
// table lives only while the index is built.
class FirstIndexTable {
public:
    explicit FirstIndexTable(int points) : slots(sizeFor(points), Slot{Key{0, 0, 0}, -1}), mask(slots.size() - 1) {}

    // The index stored with key, after storing `index` when there was none.
    int firstOf(const Key& key, int index) {
        std::size_t s = static_cast<std::size_t>(hashOf(key)) & mask;
        while (slots[s].index >= 0 && !(slots[s].key == key)) s = (s + 1) & mask;
        if (slots[s].index < 0) slots[s] = Slot{key, index};
        return slots[s].index;
    }

private:
    struct Slot {
        Key key;
        int index;  // -1 while the slot is empty
    };
    static std::size_t sizeFor(int points) {
        std::size_t size = 16;
        while (size < 2 * static_cast<std::size_t>(points)) size *= 2;
        return size;
    }
    std::vector<Slot> slots;
    std::size_t mask;
};

}  // namespace

CagePointIndex::CagePointIndex(const Tab<Point3>& points) : firstEqual(points.Count(), 0) {
    FirstIndexTable table(points.Count());
    for (int i = 0; i < points.Count(); ++i)
        if (!hasNaN(points[i])) firstEqual[i] = table.firstOf(keyOf(points[i]), i);
}
