#include "builder/fraction_walk.h"
#include <cmath>

// Each chord enters the running length on its own: summing a segment's
// chords first and adding the sum would round differently.
float addSegmentChords(const Spline3D& copy, int segment, float run) {
    float u = 0.0f;
    for (int chord = 0; chord < 10; ++chord) {
        u = u + 0.1f;  // summed in float: the tenth value is the float just above 1
        Point3 a = copy.InterpBezier3D(segment, u - 0.1f, 0);
        Point3 b = copy.InterpBezier3D(segment, u, 0);
        run = run + Length(b - a);
    }
    return run;
}

void buildFractionTable(const Spline3D& copy, Tab<float>& fractions) {
    float total = copy.SplineLength();
    float r = 1.0f / total;  // a zero length gives infinity, never a trap
    float run = 0.0f;
    int knots = copy.KnotCount();
    for (int i = 0; i < knots; ++i) {
        float fraction = run * r;
        if (fraction > 1.0f) fraction = 1.0f;
        fractions.Append(1, &fraction, 1);
        // The segment after the last knot never enters a fraction (on an
        // open copy it does not even exist), so it is not measured.
        if (i + 1 < knots) run = addSegmentChords(copy, i, run);
    }
}

EntryPairs walkFractions(const Tab<float>& fL, const Tab<float>& fS) {
    EntryPairs pairs;
    int mL = fL.Count(), mS = fS.Count();
    if (mS == 0) return pairs;
    pairs.reserve(static_cast<std::size_t>(mL));
    int j = 0;
    for (int i = 0; i < mL; ++i) {
        pairs.emplace_back(i, j);
        if (j < mS - 1 && i < mL - 1 &&
            std::fabs(fL[i + 1] - fS[j + 1]) < std::fabs(fL[i + 1] - fS[j]))
            ++j;
    }
    return pairs;
}
