#include "app/host/cage_view.h"
#include <cmath>

namespace {

bool isFinite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

}  // namespace

bool worldPoint(const CageView& view, const Point3& local, Point3& world) {
    world = local * view.objectTM;
    return isFinite(world);
}
