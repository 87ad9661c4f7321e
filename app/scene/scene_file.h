// Scene files: JSON text read into a plain, fully checked description of
// the nodes and trellis objects to build. Nothing here touches the host.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include "control.h"
#include "maxtypes.h"
#include "point3.h"
#include "app/scene/primitive_desc.h"
#include "app/scene/scene_error.h"

struct KnotDesc {
    int type = 1;   // host knot type, KTYPE_AUTO .. KTYPE_BEZIER_CORNER
    int line = 0;   // host line type, LTYPE_CURVE or LTYPE_LINE
    Point3 point;
    Point3 inVec;   // handle positions in object space
    Point3 outVec;
};

struct SplineDesc {
    bool closed = false;
    std::vector<KnotDesc> knots;
};

struct PolylineDesc {
    bool closed = false;
    std::vector<Point3> points;
};

enum class NodeObjectKind { None, Splines, Polylines, Primitive, Mesh };

struct NodeDesc {
    std::string name;
    bool hidden = false;
    // One key at time 0 for a static transform; keyed animation otherwise.
    std::vector<TMKey> transform{TMKey()};
    bool animated = false;
    std::optional<TMKey> pivot;
    NodeObjectKind kind = NodeObjectKind::None;
    std::vector<SplineDesc> splines;
    std::vector<PolylineDesc> polylines;
    PrimitiveDesc primitive;   // when kind is Primitive
};

struct SplineTypeDesc {
    int value = 0;   // used when keys is empty
    std::vector<std::pair<TimeValue, float>> keys;
};

struct TrellisDesc {
    std::string name;
    Point3 position;
    SplineTypeDesc splineType;
    // Reference slots 1, 2, ... in order; an empty optional is an empty slot.
    std::vector<std::optional<std::string>> sections;
};

struct SceneDesc {
    TimeValue time = 0;
    std::vector<NodeDesc> nodes;
    std::vector<TrellisDesc> trellis;
    // Indices into trellis, each object after every trellis object it
    // takes a section from: evaluating in this order never nests one
    // object's build inside another's.
    std::vector<int> evaluationOrder;
};

// Parses and checks scene text. Throws SceneError naming what is wrong and where.
SceneDesc parseScene(const std::string& text);
// Reads and parses a file. Throws SceneError (the file name is not part of the message).
SceneDesc readSceneFile(const std::string& path);
