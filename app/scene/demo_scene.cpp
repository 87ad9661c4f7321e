#include "app/scene/demo_scene.h"

// "Vase" joins sections of different knot counts (a circle of 4, a 10-gon, a
// 7-point star of 14, a circle, a hexagon), so every pair is matched by arc
// length and the links are walked into chains; its belly's radius is keyed
// (50 at time 0, 40 a second later). "Tower" joins four 8-point stars of
// 16 knots each, growing, shrinking and turning by 15 degrees a step, so 16
// ribs run knot by knot through all of them. Each trellis node stands where
// its first section stands, so that the cages are drawn where their sections are.
const std::string& demoSceneText() {
    static const std::string text = R"({
  "time": 0,
  "nodes": [
    { "name": "Foot", "position": [0, 0, 0], "shape": { "circle": { "radius": 24 } } },
    { "name": "Belly", "position": [0, 0, 45],
      "shape": { "ngon": { "radius": { "keys": [[0, 50], [4800, 40]] }, "sides": 10 } } },
    { "name": "Shoulder", "position": [0, 0, 95], "shape": { "star": { "radius1": 38, "radius2": 30, "points": 7 } } },
    { "name": "Neck", "position": [0, 0, 130], "shape": { "circle": { "radius": 14 } } },
    { "name": "Lip", "position": [0, 0, 148], "shape": { "ngon": { "radius": 22, "sides": 6 } } },
    { "name": "Star0", "position": [170, 0, 0], "shape": { "star": { "radius1": 36, "radius2": 18, "points": 8 } } },
    { "name": "Star1", "position": [170, 0, 50], "rotation": [0, 0, 15],
      "shape": { "star": { "radius1": 28, "radius2": 15, "points": 8 } } },
    { "name": "Star2", "position": [170, 0, 100], "rotation": [0, 0, 30],
      "shape": { "star": { "radius1": 24, "radius2": 12, "points": 8 } } },
    { "name": "Star3", "position": [170, 0, 150], "rotation": [0, 0, 45],
      "shape": { "star": { "radius1": 34, "radius2": 14, "points": 8 } } }
  ],
  "trellis": [
    { "name": "Vase", "position": [0, 0, 0], "splineType": "Smooth",
      "sections": ["Foot", "Belly", "Shoulder", "Neck", "Lip"] },
    { "name": "Tower", "position": [170, 0, 0], "splineType": "Smooth",
      "sections": ["Star0", "Star1", "Star2", "Star3"] }
  ]
}
)";
    return text;
}
