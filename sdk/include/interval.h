// A closed interval of host time. FOREVER and NEVER are the host's values.
#pragma once
#include "maxtypes.h"

class Interval {
public:
    Interval() : start(TIME_NegInfinity), end(TIME_NegInfinity) {}
    Interval(TimeValue s, TimeValue e) : start(s), end(e) {}

    void Set(TimeValue s, TimeValue e) { start = s; end = e; }
    void SetStart(TimeValue s) { start = s; }
    void SetEnd(TimeValue e) { end = e; }
    void SetInfinite() { start = TIME_NegInfinity; end = TIME_PosInfinity; }
    void SetEmpty() { start = TIME_NegInfinity; end = TIME_NegInfinity; }
    void SetInstant(TimeValue t) { start = end = t; }
    TimeValue Start() const { return start; }
    TimeValue End() const { return end; }
    bool Empty() const { return start == TIME_NegInfinity && end == TIME_NegInfinity; }

    // NEVER (both ends at negative infinity) contains no time at all.
    int InInterval(TimeValue t) const { return !Empty() && start <= t && t <= end; }
    // Intersection; disjoint intervals give NEVER.
    Interval operator&(const Interval& i) const;
    Interval& operator&=(const Interval& i) { return *this = *this & i; }
    bool operator==(const Interval& i) const { return start == i.start && end == i.end; }
    bool operator!=(const Interval& i) const { return !(*this == i); }

private:
    TimeValue start, end;
};

#define FOREVER Interval(TIME_NegInfinity, TIME_PosInfinity)
#define NEVER Interval(TIME_NegInfinity, TIME_NegInfinity)
