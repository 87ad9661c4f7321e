#include "app/output/view_projection.h"
#include <cmath>

namespace {

const char* const VIEW_NAMES[] = {"top", "front", "left", "iso"};

// Isometric axes: right = (1, 1, 0) / sqrt 2 and up = (-1, 1, 2) / sqrt 6,
// both perpendicular to the viewing direction (1, -1, 1) / sqrt 3.
const double INV_SQRT2 = 1.0 / std::sqrt(2.0);
const double INV_SQRT6 = 1.0 / std::sqrt(6.0);

}  // namespace

std::optional<ViewKind> viewNamed(const std::string& name) {
    for (int i = 0; i < 4; ++i)
        if (name == VIEW_NAMES[i]) return static_cast<ViewKind>(i);
    return std::nullopt;
}

const char* viewName(ViewKind view) { return VIEW_NAMES[static_cast<int>(view)]; }

PagePoint projectToView(const Point3& world, ViewKind view) {
    const double x = world.x, y = world.y, z = world.z;
    switch (view) {
        case ViewKind::Top: return {x, y};
        case ViewKind::Front: return {x, z};
        case ViewKind::Left: return {-y, z};
        case ViewKind::Iso: break;
    }
    return {(x + y) * INV_SQRT2, (2.0 * z - x + y) * INV_SQRT6};
}
