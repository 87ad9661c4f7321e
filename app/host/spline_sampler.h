// A cage's splines sampled one at a time, as the object samples its curves
// for the host (CAGE_SAMPLE_STEPS points between knots), into one polyline
// used again for the next spline. An export of a large cage then never holds
// a sampled copy of the whole cage: at 100 sections of 2000 knots that copy
// is 5 million points, and most of the memory such a run touches.
#pragma once
#include "max.h"

class SplineSampler {
public:
    // The polyline of `spline`, valid until the next call.
    const PolyLine& sample(const Spline3D& spline);

private:
    BezierShape single;   // a copy of the spline being sampled, and nothing else
    PolyShape lines;
};
