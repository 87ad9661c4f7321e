// The cages as Wavefront OBJ polylines, for other 3D programs: every cage
// spline sampled as the object samples it, in world space. Per object:
// "o NAME", then "g NAME_sections" with the section copies and
// "g NAME_connections" with the connecting splines (spaces in names become
// '_'). Each curve of two points or more gives its "v x y z" lines and a
// chain of two-vertex line elements through them ("l 1 2", "l 2 3", ...,
// 1-based); a closed curve ends with one back to its first vertex.
#pragma once
#include <iosfwd>
#include <string>
#include "app/host/scene_evaluation.h"

// The file for one frame. `timesInRun` > 1 notes in the header comment that
// the file holds the first of several times.
// Written to `out` as it is produced.
void writeCagesObj(std::ostream& out, const EvaluatedFrame& frame, int timesInRun = 1);
