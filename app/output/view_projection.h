// The views a picture is drawn in: which world direction runs right and
// which runs up on the page.
//   top:   X right, Y up (looking down -Z)
//   front: X right, Z up (looking along +Y, from the -Y side)
//   left:  -Y right, Z up (looking along +X, from the -X side)
//   iso:   the standard isometric view from the (+X, -Y, +Z) side: X runs
//          right and down, Y right and up, Z straight up, all three equally foreshortened.
#pragma once
#include <cmath>
#include <optional>
#include <string>
#include "point3.h"

enum class ViewKind { Top, Front, Left, Iso };

// "top", "front", "left" or "iso"; no value for anything else.
std::optional<ViewKind> viewNamed(const std::string& name);
const char* viewName(ViewKind view);

struct PagePoint {
    double right;
    double up;
};

// Isometric axes: right = (1, 1, 0) / sqrt 2 and up = (-1, 1, 2) / sqrt 6,
// both perpendicular to the viewing direction (1, -1, 1) / sqrt 3.
const double ISO_RIGHT_SCALE = 1.0 / std::sqrt(2.0);
const double ISO_UP_SCALE = 1.0 / std::sqrt(6.0);

// Inline: a picture projects millions of points, each in the same view, so
// the choice of view is made once for the whole loop where it is inlined.
inline PagePoint projectToView(const Point3& world, ViewKind view) {
    const double x = world.x, y = world.y, z = world.z;
    switch (view) {
        case ViewKind::Top: return {x, y};
        case ViewKind::Front: return {x, z};
        case ViewKind::Left: return {-y, z};
        case ViewKind::Iso: break;
    }
    return {(x + y) * ISO_RIGHT_SCALE, (2.0 * z - x + y) * ISO_UP_SCALE};
}
