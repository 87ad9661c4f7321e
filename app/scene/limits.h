// How much the trellis program takes on in one run. Scene files come from
// users and other programs; beyond these sizes a file is refused with a
// message naming the limit, rather than left to exhaust memory or time.
// Each is far above what a hand-made or exported scene needs.
#pragma once
#include <cstddef>

// Bytes of a scene file (64 MiB).
const std::size_t MAX_SCENE_FILE_BYTES = std::size_t(64) << 20;
// Entries of "nodes" and "trellis" together: each is a node of the scene.
const std::size_t MAX_SCENE_NODES = 100000;
// Splines and polylines over all nodes.
const std::size_t MAX_SCENE_CURVES = 100000;
// Knots of one spline, points of one polyline.
const std::size_t MAX_CURVE_KNOTS = 100000;
// Knots and polyline points over all nodes.
const std::size_t MAX_SCENE_KNOTS = 1000000;
// Keys of one node's transform; keys of one object's "SplineType".
const std::size_t MAX_ANIMATION_KEYS = 1000;
// What the cages of one run draw on: for every trellis object at every
// evaluation time, 1 for the object, and for each filled section slot 1
// plus the knots of the section's first curve. A cage and its JSON grow
// with this (about 2 cage knots and 1.5 KiB of memory per unit). A section
// that is another trellis object gives its cage's first spline as a
// polyline, several points for each knot, so a chain of trellis objects
// multiplies its first section's knots at every link; and to give it, that
// object converts its whole cage, so such a section also counts the knots
// its cage can have, once for every object that takes it.
const std::size_t MAX_EVALUATION_SIZE = 1000000;
