#include "interval.h"
#include <algorithm>

Interval Interval::operator&(const Interval& i) const {
    if (Empty() || i.Empty()) return NEVER;
    TimeValue s = std::max(start, i.start);
    TimeValue e = std::min(end, i.end);
    if (s > e) return NEVER;
    return Interval(s, e);
}
