// What every shape object carries: its rendering settings, the box they add
// in the viewport, and their undoable copy.
#include "object.h"
#include <cmath>
#include "hold.h"

namespace {

bool rendersMesh(const ShapeRenderSettings& s) { return s.renderable && s.displayRenderMesh; }

// Undo record of a CopyBaseData: the settings before and after the copy.
class RenderSettingsRestore : public RestoreObj {
public:
    RenderSettingsRestore(ShapeObject* s, const ShapeRenderSettings& before)
        : shape(s), undoSettings(before), redoSettings(before) {}
    void Restore(int) override {
        redoSettings = shape->renderSettings;
        shape->renderSettings = undoSettings;
    }
    void Redo() override { shape->renderSettings = redoSettings; }
    TSTR Description() override { return TSTR("shape render settings"); }

private:
    ShapeObject* shape;
    ShapeRenderSettings undoSettings;
    ShapeRenderSettings redoSettings;
};

// Draws the twelve edges of a box: bottom and top rings, then the uprights.
void drawBoxEdges(GraphicsWindow* gw, const Box3& b) {
    Point3 lo = b.pmin, hi = b.pmax;
    Point3 bottom[4] = {Point3(lo.x, lo.y, lo.z), Point3(hi.x, lo.y, lo.z), Point3(hi.x, hi.y, lo.z),
                        Point3(lo.x, hi.y, lo.z)};
    Point3 top[4];
    for (int i = 0; i < 4; ++i) top[i] = Point3(bottom[i].x, bottom[i].y, hi.z);
    gw->polyline(4, bottom, TRUE);
    gw->polyline(4, top, TRUE);
    for (int i = 0; i < 4; ++i) {
        Point3 upright[2] = {bottom[i], top[i]};
        gw->polyline(2, upright, FALSE);
    }
}

}  // namespace

// The stand-in's render mesh is a cube as wide as the thickness around the
// shape's origin (the real host sweeps the thickness along the curves; the
// curves' own box is the shape's business, not the base's).
Box3 ShapeObject::GetBoundingBox(TimeValue, Matrix3* tm) {
    Box3 box;
    if (!rendersMesh(renderSettings)) return box;
    const float h = std::fabs(renderSettings.thickness) * 0.5f;
    const Point3 center = tm ? Point3::Origin() * *tm : Point3::Origin();
    box += center - Point3(h, h, h);
    box += center + Point3(h, h, h);
    return box;
}

// Draws the render-mesh cube in object space: the caller has set the window's
// transform to the node's object transform.
int ShapeObject::Display(TimeValue t, INode*, ViewExp* vpt, int) {
    if (!rendersMesh(renderSettings) || !vpt) return 0;
    drawBoxEdges(vpt->getGW(), GetBoundingBox(t));
    return 0;
}

void ShapeObject::CopyBaseData(ShapeObject& from) {
    if (theHold.Holding()) theHold.Put(new RenderSettingsRestore(this, renderSettings));
    renderSettings = from.renderSettings;
}
