// Pictures of cages as the host would display them: every spline sampled
// as the object samples its curves, in world space, in one view.
// Section copies are thick and dark, connecting splines thin and in one
// colour per object, knots small dots (left out when a picture would hold
// more than MAX_KNOT_MARKS of them). Each object's group holds one
// <path> per cage spline, in cage order; a legend below the drawing names
// each object with its time, "SplineType" and its counts.
#pragma once
#include <iosfwd>
#include <string>
#include "app/host/scene_evaluation.h"
#include "app/output/view_projection.h"
#include "app/output/cage_marks.h"

// The picture of one frame. `timesInRun` > 1 notes in the title that the
// picture shows the first of several times.
// Written to `out` as it is produced.
void writeCagesSvg(std::ostream& out, const EvaluatedFrame& frame, ViewKind view, int timesInRun = 1);
