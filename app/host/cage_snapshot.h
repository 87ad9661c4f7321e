// What a trellis object shows the host at one time, read while the scene
// exists and kept for the outputs: its cage (through the host's editable
// spline conversion), the curves as the object samples them, where its node
// puts them, its sections' names, and what the object publishes of its
// last build (validity, section copies, joins, link tables).
#pragma once
#include <memory>
#include <string>
#include <vector>
#include "max.h"
#include "object/itrellis_cage.h"
#include "app/host/cage_view.h"

// What the outputs of a run read of a snapshot. A cage of 100 sections of
// 2000 knots is tens of megabytes in each form, so a form nobody reads is
// neither converted, copied nor sampled.
struct SnapshotParts {
    bool cage = false;     // the cage's splines and knots, and where the node puts them
    bool links = false;    // the link tables
    bool curves = false;   // all the sampled curves at once (the page), and where the node puts them
};

struct CageSnapshot {
    std::string name;
    TimeValue time = 0;
    int splineType = 0;       // the parameter's value at `time`
    int filledSections = 0;   // section slots holding a node
    bool firstSlotEmpty = false;   // sections in the list but none in slot 1: nothing was gathered
    Interval valid;           // the cached cage's validity after the evaluation
    int splineCount = 0;      // of the cage
    int knotCount = 0;        // over all its splines
    int sectionCopies = 0;    // the section copies at the front of the cage
    std::vector<TrellisPairJoin> joins;   // per pair of consecutive section copies
    // With SnapshotParts::cage: the conversion's own object, kept rather than copied.
    std::shared_ptr<SplineShape> converted;
    std::vector<Point3> cagePoints;       // with SnapshotParts::links
    std::vector<CageLink> cageLinks;      // with SnapshotParts::links
    CageView view;   // objectTM with SnapshotParts::cage or ::curves, curves with ::curves; section names always

    // The cage's splines, or no splines when the cage was not asked for.
    const BezierShape& cage() const;
};

// Evaluates the trellis object of `node` at t, keeping `parts`. Throws
// SceneError when the object offers no editable spline form (if the cage
// is asked for) or no cage interface.
CageSnapshot snapshotCage(INode& node, TimeValue t, const SnapshotParts& parts);
