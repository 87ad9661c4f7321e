// The extent on the page of a cage's curves as the picture draws them:
// every finite point sampled from its splines, in world space, projected
// into a view.
#pragma once
#include "max.h"
#include "app/host/cage_view.h"
#include "app/host/spline_sampler.h"
#include "app/output/view_projection.h"

struct Bounds {
    double minRight = 0.0, maxRight = 0.0, minUp = 0.0, maxUp = 0.0;
    bool empty = true;
    void add(const PagePoint& p);
    void add(const Bounds& b);
    double width() const { return maxRight - minRight; }
    double height() const { return maxUp - minUp; }
};

// The bounds of the points of `cage`'s splines sampled by `sampler`, placed
// by `view`. A spline whose knots and handles lie well inside the bounds of
// the splines before it cannot reach past them and is not sampled: a large
// cage is measured by sampling the splines at its edges.
Bounds sampledBounds(const BezierShape& cage, const CageView& view, ViewKind kind, SplineSampler& sampler);
