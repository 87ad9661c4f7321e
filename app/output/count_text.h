// Counts as the program's texts give them: "1 knot", "2 knots".
#pragma once
#include <string>
#include "max.h"

inline std::string countOf(int n, const char* noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

// Knots of every spline of the cage.
inline int countKnots(const BezierShape& cage) {
    int knots = 0;
    for (int s = 0; s < cage.SplineCount(); ++s) knots += cage.GetSpline(s)->KnotCount();
    return knots;
}
