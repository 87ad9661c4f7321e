// The views a picture is drawn in: which world direction runs right and
// which runs up on the page.
//   top:   X right, Y up (looking down -Z)
//   front: X right, Z up (looking along +Y, from the -Y side)
//   left:  -Y right, Z up (looking along +X, from the -X side)
//   iso:   the standard isometric view from the (+X, -Y, +Z) side: X runs
//          right and down, Y right and up, Z straight up, all three equally foreshortened.
#pragma once
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

PagePoint projectToView(const Point3& world, ViewKind view);
