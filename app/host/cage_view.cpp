#include "app/host/cage_view.h"
#include <cmath>

namespace {

bool isFinite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

}  // namespace

bool worldPoint(const CageView& view, const PolyLine& line, int i, Point3& world) {
    world = line.pts[static_cast<std::size_t>(i)].p * view.objectTM;
    return isFinite(world);
}
