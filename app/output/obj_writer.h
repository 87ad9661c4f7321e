// The cages as Wavefront OBJ polylines, for other 3D programs: every cage
// spline sampled as the object samples it, in world space. Per object:
// "o NAME", then "g NAME_sections" with the section copies and
// "g NAME_connections" with the connecting splines (spaces in names become
// '_'). Each curve of two points or more gives its "v x y z" lines and one
// "l i j k ..." line of 1-based indices; a closed curve repeats its first
// index at the end.
#pragma once
#include <iosfwd>
#include <string>
#include "app/host/scene_evaluation.h"

// The file for one frame. `timesInRun` > 1 notes in the header comment that
// the file holds the first of several times.
// Written to `out` as it is produced.
void writeCagesObj(std::ostream& out, const EvaluatedFrame& frame, int timesInRun = 1);
