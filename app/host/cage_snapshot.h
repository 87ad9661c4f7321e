// What a trellis object shows the host at one time, read while the scene
// exists and kept for the outputs: its cage (through the host's editable
// spline conversion), the curves as the object samples them, where its node
// puts them, its sections' names, and what the object publishes of its
// last build (validity, section copies, joins, link tables).
#pragma once
#include <string>
#include <vector>
#include "max.h"
#include "object/itrellis_cage.h"
#include "app/host/cage_view.h"

struct CageSnapshot {
    std::string name;
    TimeValue time = 0;
    int splineType = 0;       // the parameter's value at `time`
    int filledSections = 0;   // section slots holding a node
    bool firstSlotEmpty = false;   // sections in the list but none in slot 1: nothing was gathered
    Interval valid;           // the cached cage's validity after the evaluation
    BezierShape cage;
    int sectionCopies = 0;    // the section copies at the front of the cage
    std::vector<TrellisPairJoin> joins;   // per pair of consecutive section copies
    std::vector<Point3> cagePoints;
    std::vector<CageLink> cageLinks;
    CageView view;
};

// Evaluates the trellis object of `node` at t. Throws SceneError when the
// object offers no editable spline form or no cage interface.
CageSnapshot snapshotCage(INode& node, TimeValue t);
