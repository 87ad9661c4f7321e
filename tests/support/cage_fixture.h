// A small scene for cage tests: section nodes holding spline shapes and one
// trellis object in a node of its own.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "max.h"
#include "object/trellis_object.h"

// A spline shape whose first spline has these knots (handles on the points
// for corner and automatic knots; ComputeBezPoints gives them their handles).
inline SplineShape* makeSplineShape(const std::vector<Point3>& points, bool closed, int type = KTYPE_CORNER) {
    SplineShape* shape = new SplineShape();
    Spline3D* spline = shape->shape.NewSpline();
    for (const Point3& p : points) spline->AddKnot(SplineKnot(type, LTYPE_CURVE, p, p, p));
    if (closed) spline->SetClosed(1);
    spline->ComputeBezPoints();
    return shape;
}

// n points evenly on a circle of radius r in the XY plane, starting on +X.
inline std::vector<Point3> ring(int n, float r, float z = 0.0f) {
    std::vector<Point3> pts;
    for (int i = 0; i < n; ++i) {
        double a = 2.0 * 3.14159265358979323846 * i / n;
        pts.emplace_back(static_cast<float>(r * std::cos(a)), static_cast<float>(r * std::sin(a)), z);
    }
    return pts;
}

// n points along X at height z (an open polyline section).
inline std::vector<Point3> row(int n, float z, float spacing = 10.0f) {
    std::vector<Point3> pts;
    for (int i = 0; i < n; ++i) pts.emplace_back(spacing * static_cast<float>(i), 0.0f, z);
    return pts;
}

class CageScene {
public:
    Scene scene;
    TrellisObject* obj;
    INode* objNode;

    CageScene() {
        obj = new TrellisObject();
        objNode = scene.CreateNode(obj, "Cage");
    }

    INode* addNode(const std::string& name, Object* object, Point3 position = Point3(0.0f, 0.0f, 0.0f)) {
        INode* node = scene.CreateNode(object, name.c_str());
        TMKey key;
        key.position = position;
        node->GetTMController()->SetStatic(key);
        return node;
    }
    // Puts node into reference slot `slot` (1..100) of the object and ends
    // the way every list edit ends: the cache stale, dependents told.
    void setSection(int slot, INode* node) {
        obj->ReplaceReference(slot, node, TRUE);
        obj->NotifyCageEdited();
    }
    // What the host tells the object when something it references changed:
    // the cache goes stale, and the next query rebuilds.
    void touch() {
        PartID part = PART_GEOM;
        obj->NotifyRefChanged(FOREVER, obj->pblock, part, REFMSG_CHANGE);
    }
    // Appends sections to slots 1, 2, ... in order.
    void setSections(const std::vector<INode*>& nodes) {
        for (size_t i = 0; i < nodes.size(); ++i) setSection(static_cast<int>(i) + 1, nodes[i]);
    }
    void setSplineType(int value) { obj->pblock->SetValue(PB_SPLINETYPE, 0, value); }

    // The cage at t, built the way the host asks for it (the cache check of a query).
    const BezierShape& cage(TimeValue t = 0) {
        obj->NumberOfVertices(t, -1);
        return obj->shape;
    }
};

inline void expectNear(const Point3& a, const Point3& b, float tol, const std::string& what) {
    EXPECT_NEAR(a.x, b.x, tol) << what;
    EXPECT_NEAR(a.y, b.y, tol) << what;
    EXPECT_NEAR(a.z, b.z, tol) << what;
}
