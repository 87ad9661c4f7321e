#include "bench_scene.h"
#include <cmath>
#include <string>

namespace {

// A closed ring of smooth knots; the radius varies with the section so that
// no two sections share a point.
SplineShape* ringSection(int knots, float radius) {
    SplineShape* section = new SplineShape();
    Spline3D* spline = section->shape.NewSpline();
    for (int i = 0; i < knots; ++i) {
        double angle = 2.0 * 3.14159265358979323846 * i / knots;
        Point3 p(radius * std::cos(angle), radius * std::sin(angle), 0.0);
        spline->AddKnot(SplineKnot(KTYPE_AUTO, LTYPE_CURVE, p, p, p));
    }
    spline->SetClosed(1);
    spline->ComputeBezPoints();
    return section;
}

// Built as the program builds a spline it read from a scene file.
SplineShape* arcSection(int section, int knots) {
    SplineShape* shape = new SplineShape();
    Spline3D* spline = shape->shape.NewSpline();
    for (int i = 0; i < knots; ++i) {
        Point3 p = arcKnot(section, i, knots);
        spline->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_CURVE, p, p, p), -1);
    }
    spline->ComputeBezPoints();
    return shape;
}

}  // namespace

int knotsOfSection(Road road, int section, int K) { return road == Road::Links && section % 2 == 1 ? K + 1 : K; }

long totalKnots(Road road, int n, int K) {
    long knots = 0;
    for (int s = 0; s < n; ++s) knots += knotsOfSection(road, s, K);
    return knots;
}

Point3 arcKnot(int section, int knot, int knots) {
    // Three quarters of a turn, ends included; a single knot sits at the start.
    double angle = knots > 1 ? 1.5 * 3.14159265358979323846 * knot / (knots - 1) : 0.0;
    double radius = 10.0 + 0.01 * section;
    return Point3(static_cast<float>(radius * std::cos(angle)), static_cast<float>(radius * std::sin(angle)), 0.0f);
}

float sectionHeight(int section) { return 5.0f * static_cast<float>(section); }

BenchScene::BenchScene(Road road, int n, int K, Sections sections) {
    obj = new TrellisObject();
    scene.CreateNode(obj, "Cage");
    for (int s = 0; s < n; ++s) {
        std::string name = "Section" + std::to_string(s);
        int knots = knotsOfSection(road, s, K);
        SplineShape* shape = sections == Sections::SmoothRings
                                 ? ringSection(knots, 10.0f + 0.01f * static_cast<float>(s))
                                 : arcSection(s, knots);
        INode* node = scene.CreateNode(shape, name.c_str());
        TMKey key;
        key.position = Point3(0.0f, 0.0f, sectionHeight(s));
        node->GetTMController()->SetStatic(key);
        obj->ReplaceReference(FIRST_SECTION_REF + s, node, TRUE);
    }
    obj->pblock->SetValue(PB_SPLINETYPE, 0, sections == Sections::SmoothRings ? 1 : 0);  // "Smooth" or "Linear"
    invalidate();
}

long BenchScene::cageKnots() const {
    long knots = 0;
    for (int i = 0; i < obj->shape.SplineCount(); ++i) knots += obj->shape.GetSpline(i)->KnotCount();
    return knots;
}

BezierShape gatheredCopies(Road road, int n, int K) {
    BenchScene scene(road, n, K);
    scene.query();
    BezierShape copies;
    for (int s = 0; s < n; ++s) *copies.NewSpline() = *scene.cage().GetSpline(s);
    return copies;
}
