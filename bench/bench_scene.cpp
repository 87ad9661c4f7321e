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

}  // namespace

int knotsOfSection(Road road, int section, int K) { return road == Road::Links && section % 2 == 1 ? K + 1 : K; }

long totalKnots(Road road, int n, int K) {
    long knots = 0;
    for (int s = 0; s < n; ++s) knots += knotsOfSection(road, s, K);
    return knots;
}

BenchScene::BenchScene(Road road, int n, int K) {
    obj = new TrellisObject();
    scene.CreateNode(obj, "Cage");
    for (int s = 0; s < n; ++s) {
        std::string name = "Section" + std::to_string(s);
        INode* node = scene.CreateNode(ringSection(knotsOfSection(road, s, K), 10.0f + 0.01f * static_cast<float>(s)), name.c_str());
        TMKey key;
        key.position = Point3(0.0f, 0.0f, 5.0f * static_cast<float>(s));
        node->GetTMController()->SetStatic(key);
        obj->ReplaceReference(FIRST_SECTION_REF + s, node, TRUE);
    }
    obj->pblock->SetValue(PB_SPLINETYPE, 0, 1);  // "Smooth"
    invalidate();
}

BezierShape gatheredCopies(Road road, int n, int K) {
    BenchScene scene(road, n, K);
    scene.query();
    BezierShape copies;
    for (int s = 0; s < n; ++s) *copies.NewSpline() = *scene.cage().GetSpline(s);
    return copies;
}
