// Outputs sample a cage spline by spline through one reused polyline; each
// must come out as the object's whole-shape sampling gives it, whatever was
// sampled before it (longer or shorter, closed or open, curved or straight).
#include <gtest/gtest.h>
#include <cstring>
#include "app/host/cage_view.h"
#include "app/host/spline_sampler.h"

namespace {

void addSpline(BezierShape& shape, int knots, bool closed, int lineType) {
    Spline3D* spline = shape.NewSpline();
    for (int i = 0; i < knots; ++i) {
        Point3 p(float(i), float(i * i % 7), float(knots));
        spline->AddKnot(SplineKnot(KTYPE_BEZIER, lineType, p, p - Point3(0.3f, 0.5f, 0.0f), p + Point3(0.3f, 0.5f, 0.1f)));
    }
    spline->SetClosed(closed ? 1 : 0);
}

bool samePoints(const PolyLine& a, const PolyLine& b) {
    if (a.numPts() != b.numPts() || a.IsClosed() != b.IsClosed()) return false;
    for (int i = 0; i < a.numPts(); ++i) {
        const PolyPt &p = a.pts[std::size_t(i)], &q = b.pts[std::size_t(i)];
        if (std::memcmp(&p.p, &q.p, sizeof p.p) != 0 || p.flags != q.flags) return false;
    }
    return true;
}

TEST(SplineSampler, EachSplineAsTheWholeShapeSamplesIt) {
    BezierShape cage;
    addSpline(cage, 40, true, LTYPE_CURVE);
    addSpline(cage, 3, false, LTYPE_CURVE);
    addSpline(cage, 1, false, LTYPE_CURVE);
    addSpline(cage, 25, false, LTYPE_LINE);
    addSpline(cage, 0, false, LTYPE_CURVE);
    addSpline(cage, 2, true, LTYPE_CURVE);
    PolyShape whole;
    cage.MakePolyShape(whole, CAGE_SAMPLE_STEPS, FALSE);
    ASSERT_EQ(whole.numLines(), cage.SplineCount());

    SplineSampler sampler;
    for (int pass = 0; pass < 2; ++pass)   // forwards, then backwards
        for (int k = 0; k < cage.SplineCount(); ++k) {
            int s = pass == 0 ? k : cage.SplineCount() - 1 - k;
            EXPECT_TRUE(samePoints(sampler.sample(*cage.GetSpline(s)), whole.lines[std::size_t(s)])) << "spline " << s;
        }
}

}  // namespace
