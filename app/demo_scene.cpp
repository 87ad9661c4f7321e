#include "app/demo_scene.h"

// Two matching open arcs of four smooth knots, 40 units apart, and a
// smaller arc of five knots above them. "Ribs" joins the matching pair knot
// by knot; "Links" adds the five-knot arc, so its knots are paired by arc length.
const std::string& demoSceneText() {
    static const std::string text = R"({
  "time": 0,
  "nodes": [
    { "name": "ArcLow", "position": [0, 0, 0],
      "shape": { "splines": [ { "closed": false, "knots": [
        { "type": "smooth", "point": [50, 0, 0] },
        { "type": "smooth", "point": [25, 43.30127, 0] },
        { "type": "smooth", "point": [-25, 43.30127, 0] },
        { "type": "smooth", "point": [-50, 0, 0] } ] } ] } },
    { "name": "ArcMid", "position": [0, 0, 40],
      "shape": { "splines": [ { "closed": false, "knots": [
        { "type": "smooth", "point": [50, 0, 0] },
        { "type": "smooth", "point": [25, 43.30127, 0] },
        { "type": "smooth", "point": [-25, 43.30127, 0] },
        { "type": "smooth", "point": [-50, 0, 0] } ] } ] } },
    { "name": "ArcTop", "position": [0, 0, 80],
      "shape": { "splines": [ { "closed": false, "knots": [
        { "type": "smooth", "point": [40, 0, 0] },
        { "type": "smooth", "point": [28.28427, 28.28427, 0] },
        { "type": "smooth", "point": [0, 40, 0] },
        { "type": "smooth", "point": [-28.28427, 28.28427, 0] },
        { "type": "smooth", "point": [-40, 0, 0] } ] } ] } }
  ],
  "trellis": [
    { "name": "Ribs", "position": [0, 0, 0], "splineType": "Smooth", "sections": ["ArcLow", "ArcMid"] },
    { "name": "Links", "position": [150, 0, 0], "splineType": "Bezier",
      "sections": ["ArcLow", "ArcMid", "ArcTop"] }
  ]
})";
    return text;
}
