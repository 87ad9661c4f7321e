// Viewport pieces: a graphics window that records what is drawn, hit regions,
// snapping, and the viewport that owns the window. The stand-in projects
// orthographically: the view transform carries world space into view space,
// whose x and y map to pixels by one scale (pixels per unit) and an origin.
#pragma once
#include <vector>
#include "maxtypes.h"
#include "point3.h"
#include "matrix3.h"
#include "win32.h"  // RECT

class Material {
public:
    Point3 color = Point3(1.0f, 1.0f, 1.0f);
};

// Hit region types and the host's hit-test flags.
const int POINT_RGN = 0x0001;
const int RECT_RGN = 0x0002;
const int HITTYPE_POINT = 1;
const int HITTYPE_BOX = 2;
const int HIT_ABORTONHIT = 1 << 3;
const int USE_DAMAGE_RECT = 1 << 0;
const int COMP_ALL = 0xFF;

class HitRegion {
public:
    int type = POINT_RGN;
    int crossing = TRUE;
    int epsilon = 0;
    IPoint2 pt;
    RECT rect;
};
// Makes a point region (HITTYPE_POINT, p[0], within epsi pixels) or a box
// region (HITTYPE_BOX, corners p[0] and p[1]).
void MakeHitRegion(HitRegion& hr, int type, int crossing, int epsi, IPoint2* p);

struct DrawnPolyline {
    std::vector<Point3> world;
    std::vector<IPoint2> screen;
    bool closed = false;
    const Material* material = nullptr;
};
struct DrawnMarker {
    Point3 world;
    IPoint2 screen;
};

class GraphicsWindow {
public:
    GraphicsWindow();
    GraphicsWindow(const GraphicsWindow&) = delete;
    GraphicsWindow& operator=(const GraphicsWindow&) = delete;

    // Object-to-world transform of what is drawn next.
    void setTransform(const Matrix3& m) { objectTM = m; }
    const Matrix3& getTransform() const { return objectTM; }
    void setMaterial(const Material& m) { material = m; }
    Material* getMaterial() { return &material; }

    // World-to-view transform and the pixel mapping of the view plane.
    void setView(const Matrix3& worldToView, float pixelsPerUnit, IPoint2 origin);
    // Object point -> world (through the current transform) -> pixels.
    IPoint2 ObjectToScreen(const Point3& p) const;
    // World point -> pixels (ObjectToScreen without the object transform).
    IPoint2 WorldToScreen(const Point3& world) const;
    Point3 ObjectToWorld(const Point3& p) const { return p * objectTM; }
    // Pixel position on the view plane -> world point on the view's z = 0 plane.
    Point3 ScreenToWorld(const IPoint2& s) const;

    // Drawing records object-space points in world and pixel coordinates.
    void polyline(int count, const Point3* xyz, int closed);
    void marker(const Point3& xyz);
    const std::vector<DrawnPolyline>& Polylines() const { return drawn; }
    const std::vector<DrawnMarker>& Markers() const { return markers; }
    void ClearDrawing() { drawn.clear(); markers.clear(); }

private:
    Matrix3 objectTM;
    Matrix3 viewTM;
    Matrix3 viewInverse;
    float scale = 1.0f;
    IPoint2 origin;
    Material material;
    std::vector<DrawnPolyline> drawn;
    std::vector<DrawnMarker> markers;
};

// Result of a snap query: the nearest knot within `strength` pixels.
class SnapInfo {
public:
    int strength = 8;
    BOOL found = FALSE;
    float bestDist = 0.0f;
    Point3 bestWorld;
    IPoint2 bestScreen;
};

class ViewExp {
public:
    ViewExp() = default;
    ViewExp(const ViewExp&) = delete;
    ViewExp& operator=(const ViewExp&) = delete;

    GraphicsWindow* getGW() { return &gw; }
    RECT* GetDammageRect() { return &damage; }
    // Maps a mouse position onto the construction plane (the view's z = 0
    // plane). Snap flag 1 rounds to the grid when a grid spacing is set.
    Point3 SnapPoint(IPoint2& in, IPoint2& out, Matrix3* plane2d = nullptr, DWORD flags = 0);
    void SetGridSpacing(float spacing) { gridSpacing = spacing; }

private:
    GraphicsWindow gw;
    RECT damage;
    float gridSpacing = 0.0f;
};
