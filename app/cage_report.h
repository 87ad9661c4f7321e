// What a trellis object shows the host at one time: its cage, read through
// the object's host interface (conversion to an editable spline), with the
// validity and link tables the evaluation left, as JSON or as one line of
// human summary.
#pragma once
#include <string>
#include <vector>
#include <nlohmann/json.hpp>
#include "max.h"
#include "builder/cage_tables.h"
#include "app/cage_view.h"

class TrellisObject;

struct CageSnapshot {
    std::string name;
    TimeValue time = 0;
    int splineType = 0;       // the parameter's value at `time`
    int filledSections = 0;   // section slots holding a node
    Interval valid;           // the object's shapeValid after the evaluation
    BezierShape cage;
    std::vector<Point3> cagePoints;
    std::vector<CageLink> cageLinks;
    CageView view;            // filled by the scene's evaluation, which knows the object's node
};

// Evaluates the object at t. Throws SceneError when the object offers no
// editable spline form (the cage could not be read).
CageSnapshot snapshotCage(TrellisObject& object, const std::string& name, TimeValue t);

// {"name", "splineType", "valid", "splines", "cagePoints", "cageLinks"}.
nlohmann::ordered_json cageToJson(const CageSnapshot& snapshot);

// "Cage at time 0: 3 sections, 7 splines, 28 knots".
std::string cageSummary(const CageSnapshot& snapshot);
