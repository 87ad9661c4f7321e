// The outlines of the four parametric shapes. Every outline is one closed
// spline in the local XY plane, centred on the origin, its first knot on the
// +X side and its knots running anticlockwise seen from +Z.
#include "simpshp.h"
#include <cmath>

const Class_ID circleClassID(0x20, 0);
const Class_ID rectangleClassID(0x21, 0);
const Class_ID ngonClassID(0x22, 0);
const Class_ID starClassID(0x23, 0);

namespace {

const double PI = 3.14159265358979323846;

const ParamBlockDescID CIRCLE_PARAMS[] = {{TYPE_FLOAT, nullptr, TRUE, 0}};
const ParamBlockDescID RECTANGLE_PARAMS[] = {{TYPE_FLOAT, nullptr, TRUE, 0}, {TYPE_FLOAT, nullptr, TRUE, 1}};
const ParamBlockDescID NGON_PARAMS[] = {{TYPE_FLOAT, nullptr, TRUE, 0}, {TYPE_INT, nullptr, TRUE, 1}};
const ParamBlockDescID STAR_PARAMS[] = {
    {TYPE_FLOAT, nullptr, TRUE, 0}, {TYPE_FLOAT, nullptr, TRUE, 1}, {TYPE_INT, nullptr, TRUE, 2}};

// cos and sin of a quarter turn leave residues near 1e-16 where the answer
// is 0; the knots of a circle then read (0, r, 0), not (6e-16, r, 0).
double snapResidue(double unit) { return std::fabs(unit) < 1e-12 ? 0.0 : unit; }

// The point at `radius` from the centre in the direction `angle` (radians
// from +X), worked in double and rounded once.
Point3 onCircle(double radius, double angle) {
    return Point3(static_cast<float>(radius * snapResidue(std::cos(angle))),
                  static_cast<float>(radius * snapResidue(std::sin(angle))), 0.0f);
}

// A closed spline through the points with knots of one type; the host
// computes the handles (smooth arcs for automatic knots, straight sides for corners).
void addClosedSpline(BezierShape& shape, const std::vector<Point3>& points, int knotType) {
    Spline3D* spline = shape.NewSpline(knotType);
    for (const Point3& p : points) spline->AddKnot(SplineKnot(knotType, LTYPE_CURVE, p, p, p), -1);
    spline->SetClosed(1);
    spline->ComputeBezPoints();
}

// `count` points evenly round the centre, the first on +X; point i at radii[i % radii.size()].
std::vector<Point3> evenlyRound(int count, const std::vector<double>& radii) {
    std::vector<Point3> points;
    for (int i = 0; i < count; ++i) points.push_back(onCircle(radii[i % radii.size()], 2.0 * PI * i / count));
    return points;
}

}  // namespace

CircleObject::CircleObject() : SimpleShape(CIRCLE_PARAMS, 1) {}
RectangleObject::RectangleObject() : SimpleShape(RECTANGLE_PARAMS, 2) {}
NGonObject::NGonObject() : SimpleShape(NGON_PARAMS, 2) {}
StarObject::StarObject() : SimpleShape(STAR_PARAMS, 3) {}

// Four automatic knots: the host's smooth handles on a regular polygon give
// circular arcs, so the outline is a close circle (length within a small
// fraction of a percent of 2 pi r).
void CircleObject::BuildShape(TimeValue t, BezierShape& shape) {
    addClosedSpline(shape, evenlyRound(4, {sizeAt(PB_CIRCLE_RADIUS, t)}), KTYPE_AUTO);
}

void RectangleObject::BuildShape(TimeValue t, BezierShape& shape) {
    const float x = sizeAt(PB_RECT_WIDTH, t) * 0.5f, y = sizeAt(PB_RECT_LENGTH, t) * 0.5f;
    addClosedSpline(shape, {Point3(x, -y, 0.0f), Point3(x, y, 0.0f), Point3(-x, y, 0.0f), Point3(-x, -y, 0.0f)},
                    KTYPE_CORNER);
}

void NGonObject::BuildShape(TimeValue t, BezierShape& shape) {
    addClosedSpline(shape, evenlyRound(countAt(PB_NGON_SIDES, t), {sizeAt(PB_NGON_RADIUS, t)}), KTYPE_CORNER);
}

void StarObject::BuildShape(TimeValue t, BezierShape& shape) {
    const std::vector<double> radii{sizeAt(PB_STAR_RADIUS1, t), sizeAt(PB_STAR_RADIUS2, t)};
    addClosedSpline(shape, evenlyRound(2 * countAt(PB_STAR_POINTS, t), radii), KTYPE_CORNER);
}

ReferenceTarget* CircleObject::Clone(RemapDir& remap) {
    CircleObject* clone = new CircleObject();
    cloneInto(*clone, remap);
    return clone;
}

ReferenceTarget* RectangleObject::Clone(RemapDir& remap) {
    RectangleObject* clone = new RectangleObject();
    cloneInto(*clone, remap);
    return clone;
}

ReferenceTarget* NGonObject::Clone(RemapDir& remap) {
    NGonObject* clone = new NGonObject();
    cloneInto(*clone, remap);
    return clone;
}

ReferenceTarget* StarObject::Clone(RemapDir& remap) {
    StarObject* clone = new StarObject();
    cloneInto(*clone, remap);
    return clone;
}
