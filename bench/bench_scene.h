// Scenes for the benchmarks: n sections stacked along Z in the section slots
// of one trellis object.
#pragma once
#include "max.h"
#include "object/trellis_object.h"

// The ribs road gives every section K knots; the links road gives the
// sections K and K + 1 knots in turn, so every pair is matched by arc length.
enum class Road { Ribs, Links };

int knotsOfSection(Road road, int section, int K);

// Knots of all n section copies: the work unit of the per-knot counters.
long totalKnots(Road road, int n, int K);

// The rebuild benchmarks join closed rings of smooth knots with "SplineType"
// Smooth; the whole-program benchmarks hand the program open arcs of corner
// knots joined with Linear, the cage a scene file states most plainly, and
// rebuild the same cage in process beside it.
enum class Sections { SmoothRings, CornerArcs };

// Knot `knot` of an open arc section of `knots` corner knots, in object
// space; the radius varies with the section so that no two sections share a
// point. The scene files get these very floats.
Point3 arcKnot(int section, int knot, int knots);
// The Z of a section's node.
float sectionHeight(int section);

class BenchScene {
public:
    BenchScene(Road road, int n, int K, Sections sections = Sections::SmoothRings);
    BenchScene(const BenchScene&) = delete;
    BenchScene& operator=(const BenchScene&) = delete;

    // Makes the cache stale as a change of a referenced target does, so the
    // next query rebuilds.
    void invalidate() {
        PartID part = PART_GEOM;
        obj->NotifyRefChanged(FOREVER, obj->pblock, part, REFMSG_CHANGE);
    }
    // A host query with its cache check: rebuilds when the cache is stale.
    int query() { return obj->NumberOfVertices(0, -1); }
    // A query that only reads one flag once its cache check has passed.
    int firstCurveClosed() { return obj->CurveClosed(0, 0); }
    const BezierShape& cage() const { return obj->shape; }
    // Knots of every spline of the cage as last built.
    long cageKnots() const;

private:
    Scene scene;
    TrellisObject* obj;
};

// The section copies that gathering makes for such a scene.
BezierShape gatheredCopies(Road road, int n, int K);
