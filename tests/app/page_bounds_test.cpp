// A picture's extent skips sampling splines that cannot widen it; what it
// measures must be, to the last bit, the extent of every sampled point.
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <random>
#include "app/output/page_bounds.h"

namespace {

// Every finite sampled point, with nothing skipped.
Bounds everyPoint(const BezierShape& cage, const CageView& view, ViewKind kind) {
    PolyShape lines;
    cage.MakePolyShape(lines, CAGE_SAMPLE_STEPS, FALSE);
    Bounds b;
    Point3 world;
    for (const PolyLine& line : lines.lines)
        for (int i = 0; i < line.numPts(); ++i)
            if (worldPoint(view, line, i, world)) b.add(projectToView(world, kind));
    return b;
}

void expectSame(const Bounds& a, const Bounds& b) {
    EXPECT_EQ(a.empty, b.empty);
    EXPECT_EQ(a.minRight, b.minRight);
    EXPECT_EQ(a.maxRight, b.maxRight);
    EXPECT_EQ(a.minUp, b.minUp);
    EXPECT_EQ(a.maxUp, b.maxUp);
}

// Splines around `centre`: curved and straight rings, closed and open, with
// short handles so that their hulls hug them; most lie inside the first
// three, some reach a little past them.
BezierShape randomCage(std::mt19937& random, Point3 centre, float size) {
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    BezierShape cage;
    for (int s = 0; s < 60; ++s) {
        Spline3D* spline = cage.NewSpline();
        float radius = size * (s < 3 ? 1.0f : 0.2f + 0.9f * std::fabs(unit(random)));
        int knots = 1 + static_cast<int>(random() % 12);
        int lineType = random() % 4 == 0 ? LTYPE_LINE : LTYPE_CURVE;
        for (int k = 0; k < knots; ++k) {
            float a = 6.2831853f * float(k) / float(knots);
            Point3 p = centre + Point3(radius * std::cos(a), radius * std::sin(a), size * 0.3f * unit(random));
            Point3 handle(size * 0.05f * unit(random), size * 0.05f * unit(random), size * 0.05f * unit(random));
            spline->AddKnot(SplineKnot(KTYPE_BEZIER, lineType, p, p - handle, p + handle));
        }
        spline->SetClosed(random() % 2);
    }
    return cage;
}

Matrix3 transform(float angle, float scale, Point3 move) {
    Matrix3 tm(1);
    tm.SetRow(0, Point3(scale * std::cos(angle), scale * std::sin(angle), 0.0f));
    tm.SetRow(1, Point3(-scale * std::sin(angle), scale * std::cos(angle), 0.0f));
    tm.SetRow(2, Point3(0.0f, 0.0f, scale));
    tm.SetTrans(move);
    return tm;
}

TEST(PageBounds, SameAsEverySampledPointInEveryViewAndPlacement) {
    std::mt19937 random(11);
    struct Placement {
        Point3 centre;
        float size;
        Matrix3 tm;
    };
    const Placement placements[] = {
        {Point3(0, 0, 0), 10.0f, Matrix3(1)},
        {Point3(3, -2, 5), 0.001f, transform(0.7f, 3.5f, Point3(-40, 12, 3))},
        // Far from the origin in the object, brought back by the node: the
        // world numbers are small, the rounding of the large ones is not.
        {Point3(1e6f, -2e6f, 5e5f), 50.0f, transform(0.0f, 1.0f, Point3(-1e6f, 2e6f, -5e5f))},
        {Point3(-7.0f, 0.0f, 0.0f), 1e4f, transform(2.1f, 0.01f, Point3(0.0f, 0.0f, 1e3f))},
    };
    for (const Placement& place : placements)
        for (int round = 0; round < 20; ++round) {
            BezierShape cage = randomCage(random, place.centre, place.size);
            CageView view;
            view.place(place.tm);
            for (ViewKind kind : {ViewKind::Top, ViewKind::Front, ViewKind::Left, ViewKind::Iso}) {
                SplineSampler sampler;
                expectSame(sampledBounds(cage, view, kind, sampler), everyPoint(cage, view, kind));
            }
        }
}

TEST(PageBounds, PointsThatAreNotFiniteAreLeftOut) {
    BezierShape cage;
    const float huge = std::numeric_limits<float>::max();
    // From the origin to (1, 1), a spline all of whose points overflow, and
    // one inside the first.
    const Point3 ends[][2] = {{Point3(0, 0, 0), Point3(1, 1, 0)},
                              {Point3(huge, 0.0f, 0.0f), Point3(huge, 0.0f, 0.0f)},
                              {Point3(0.25f, 0.25f, 0.0f), Point3(0.5f, 0.5f, 0.0f)}};
    for (const auto& end : ends) {
        Spline3D* spline = cage.NewSpline();
        for (const Point3& p : end) spline->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_CURVE, p, p, p));
    }
    CageView view;
    view.place(transform(0.0f, 4.0f, Point3(0, 0, 0)));   // huge times four is infinite
    SplineSampler sampler;
    Bounds b = sampledBounds(cage, view, ViewKind::Top, sampler);
    expectSame(b, everyPoint(cage, view, ViewKind::Top));
    EXPECT_EQ(b.maxRight, 4.0);
    EXPECT_TRUE(sampledBounds(BezierShape(), view, ViewKind::Iso, sampler).empty);
}

}  // namespace
