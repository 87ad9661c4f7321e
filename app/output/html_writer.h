// The cages as one self-contained HTML page that people can turn: every
// trellis object's cage in 3D at each time of the run, drawn from the
// object's own sampled curves in world space like the picture, with its
// legend and join report beside it. The page carries three.js and its own
// viewer script (nothing is loaded from the network), and the curves as
// base64 typed arrays, one block per object and time:
//   <script type="application/octet-stream" id="points-F-O">  Float32 x, y, z of every finite point
//   <script type="application/octet-stream" id="curves-F-O">  Uint32 per cage spline: first point,
//                                                             point count (bit 31: closed)
//   <script type="application/octet-stream" id="knots-F-O">   Uint32 per knot: its point, its index
//                                                             along its spline
// and a description of frames and objects in <script type="application/json" id="trellis-data">:
//   {"sectionColour", "maxKnotMarks", "frames": [{"time", "knotsMarked", "objects": [{"name",
//    "colour", "legend": [line...], "sectionCopies", "sectionNames", "sectionSlots", "report",
//    "points", "curves", "knots"}]}]}
// Embedded scripts and styles carry data-asset="NAME".
#pragma once
#include <iosfwd>
#include <vector>
#include "app/host/scene_evaluation.h"

// Written to `out` as it is produced.
void writeCagesHtml(std::ostream& out, const std::vector<EvaluatedFrame>& frames);
