// Scenes for the benchmarks: n closed ring sections stacked along Z in the
// section slots of one trellis object.
#pragma once
#include "max.h"
#include "object/trellis_object.h"

// The ribs road gives every section K knots; the links road gives the
// sections K and K + 1 knots in turn, so every pair is matched by arc length.
enum class Road { Ribs, Links };

int knotsOfSection(Road road, int section, int K);
// Knots of all n section copies: the work unit of the per-knot counters.
long totalKnots(Road road, int n, int K);

class BenchScene {
public:
    BenchScene(Road road, int n, int K);
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

private:
    Scene scene;
    TrellisObject* obj;
};

// The section copies that gathering makes for such a scene.
BezierShape gatheredCopies(Road road, int n, int K);
