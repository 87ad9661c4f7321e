// The viewport stand-in: orthographic projection, hit regions, drawing records, snapping.
#include "gfx.h"
#include <algorithm>
#include <cmath>

namespace {

// Pixels lie well inside int range: a coordinate beyond it (or not a number)
// lands far off any window instead of overflowing the conversion.
const double FAR_OFF_SCREEN = 1.0e9;

int toPixel(float v) {
    if (std::isnan(v)) return static_cast<int>(-FAR_OFF_SCREEN);
    double clamped = std::clamp(static_cast<double>(v), -FAR_OFF_SCREEN, FAR_OFF_SCREEN);
    return static_cast<int>(std::round(clamped));
}

}  // namespace

void MakeHitRegion(HitRegion& hr, int type, int crossing, int epsi, IPoint2* p) {
    hr.crossing = crossing;
    hr.epsilon = epsi;
    if (type == HITTYPE_BOX) {
        hr.type = RECT_RGN;
        if (!p) return;
        hr.rect.left = std::min(p[0].x, p[1].x);
        hr.rect.right = std::max(p[0].x, p[1].x);
        hr.rect.top = std::min(p[0].y, p[1].y);
        hr.rect.bottom = std::max(p[0].y, p[1].y);
        return;
    }
    // Any other type is taken as a point region.
    hr.type = POINT_RGN;
    if (p) hr.pt = p[0];
}

// Members start as identity transforms, scale 1 and origin (0, 0).
GraphicsWindow::GraphicsWindow() = default;

void GraphicsWindow::setView(const Matrix3& worldToView, float pixelsPerUnit, IPoint2 viewOrigin) {
    viewTM = worldToView;
    viewInverse = Inverse(worldToView);
    scale = pixelsPerUnit;
    origin = viewOrigin;
}

// Screen y grows downward, view y upward.
IPoint2 GraphicsWindow::WorldToScreen(const Point3& world) const {
    Point3 v = world * viewTM;
    return IPoint2(toPixel(v.x * scale + static_cast<float>(origin.x)),
                   toPixel(static_cast<float>(origin.y) - v.y * scale));
}

IPoint2 GraphicsWindow::ObjectToScreen(const Point3& p) const { return WorldToScreen(p * objectTM); }

// A zero scale sends every point to the origin pixel and has no inverse;
// then the view origin's world point is the answer.
Point3 GraphicsWindow::ScreenToWorld(const IPoint2& s) const {
    Point3 v(0.0f, 0.0f, 0.0f);
    if (scale != 0.0f) {
        v.x = static_cast<float>(s.x - origin.x) / scale;
        v.y = static_cast<float>(origin.y - s.y) / scale;
    }
    return v * viewInverse;
}

void GraphicsWindow::polyline(int count, const Point3* xyz, int closed) {
    DrawnPolyline line;
    line.closed = closed != 0;
    line.material = &material;
    for (int i = 0; xyz && i < count; ++i) {
        line.world.push_back(ObjectToWorld(xyz[i]));
        line.screen.push_back(ObjectToScreen(xyz[i]));
    }
    drawn.push_back(line);
}

void GraphicsWindow::marker(const Point3& xyz) { markers.push_back({ObjectToWorld(xyz), ObjectToScreen(xyz)}); }

// The construction plane is the view's z = 0 plane (plane2d is not consulted),
// and the mouse position passes through unchanged.
Point3 ViewExp::SnapPoint(IPoint2& in, IPoint2& out, Matrix3* /*plane2d*/, DWORD flags) {
    out = in;
    Point3 world = gw.ScreenToWorld(in);
    if ((flags & 1) && gridSpacing > 0.0f) {
        world.x = std::round(world.x / gridSpacing) * gridSpacing;
        world.y = std::round(world.y / gridSpacing) * gridSpacing;
    }
    return world;
}
