#include "app/host/spline_sampler.h"
#include "app/host/cage_view.h"

const PolyLine& SplineSampler::sample(const Spline3D& spline) {
    if (single.SplineCount() == 0) single.NewSpline();
    // The copy keeps the storage of the last one when it is large enough.
    *single.GetSpline(0) = spline;
    single.MakePolyShape(lines, CAGE_SAMPLE_STEPS, FALSE);
    return lines.lines.front();
}
