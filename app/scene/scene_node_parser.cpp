#include "app/scene/scene_node_parser.h"
#include <algorithm>
#include "spline3d.h"
#include "app/scene/limits.h"
#include "app/scene/scene_primitive_parser.h"

namespace {

const char* const ONE_SHAPE_KIND = "expected exactly one of \"splines\" and \"polylines\", or a single \"circle\", "
                                   "\"rectangle\", \"ngon\" or \"star\"";

// "position", "rotation" (degrees) and "scale" of a transform-like object,
// each defaulting to the identity's; false for any other member.
bool readTransformPart(FieldReader& at, const std::string& key, TMKey& transform) {
    if (key == "position") transform.position = at.readPoint();
    else if (key == "rotation") transform.rotation = at.readPoint();
    else if (key == "scale") transform.scale = at.readPoint();
    else return false;
    return true;
}

TMKey readTransformKey(FieldReader& key) {
    TMKey value;
    bool timed = false;
    key.readObject([&](const std::string& name) {
        if (name != "time") return readTransformPart(key, name, value);
        value.time = key.readInt();
        timed = true;
        return true;
    });
    if (!timed) key.fail("missing required field \"time\"");
    return value;
}

// Keys sorted by time. Two keys at one time would leave the value between
// them undefined, so they are refused.
std::vector<TMKey> readTransformKeys(FieldReader& keysField, SceneSizeCheck& sizes) {
    std::vector<TMKey> keys;
    std::size_t count = keysField.readArray([&](std::size_t) {
        TMKey value = readTransformKey(keysField);
        // Keys past the limit are refused with the scene, so they need no comparing.
        if (keys.size() >= MAX_ANIMATION_KEYS) return;
        for (const TMKey& earlier : keys)
            if (earlier.time == value.time) keysField.failMember("time", "two keys at time " + std::to_string(value.time));
        keys.push_back(value);
    });
    if (count == 0) keysField.fail("expected at least one key");
    sizes.transformKeys(count, keysField.where());
    std::sort(keys.begin(), keys.end(), [](const TMKey& a, const TMKey& b) { return a.time < b.time; });
    return keys;
}

// A host enumeration value given by name (any letter case) or by number.
int readNamedValue(FieldReader& at, const std::vector<std::string>& names, const char* accepted) {
    if (at.kind() == JsonKind::String) {
        std::string given = at.readString();
        std::string name = asciiLowerCase(given);
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return static_cast<int>(i);
        at.fail("unknown value " + quoteName(given) + " (expected " + accepted + ")");
    }
    if (at.kind() != JsonKind::Number) at.failType(accepted);
    int number = at.readInt();
    if (number < 0 || number >= static_cast<int>(names.size()))
        at.fail("value " + std::to_string(number) + " out of range (expected " + accepted + ")");
    return number;
}

KnotDesc readKnot(FieldReader& knot) {
    static const std::vector<std::string> knotTypes{"smooth", "corner", "bezier", "bezier corner"};
    static const std::vector<std::string> lineTypes{"curve", "line"};
    KnotDesc desc;
    bool placed = false, hasIn = false, hasOut = false;
    knot.readObject([&](const std::string& key) {
        if (key == "point") {
            desc.point = knot.readPoint();
            placed = true;
        } else if (key == "in") {
            desc.inVec = knot.readPoint();
            hasIn = true;
        } else if (key == "out") {
            desc.outVec = knot.readPoint();
            hasOut = true;
        } else if (key == "type") {
            desc.type = readNamedValue(knot, knotTypes, "\"smooth\", \"corner\", \"bezier\", \"bezier corner\" or 0 to 3");
        } else if (key == "line") {
            desc.line = readNamedValue(knot, lineTypes, "\"curve\", \"line\", 0 or 1");
        } else {
            return false;
        }
        return true;
    });
    if (!placed) knot.fail("missing required field \"point\"");
    // Handles default to the point itself.
    if (!hasIn) desc.inVec = desc.point;
    if (!hasOut) desc.outVec = desc.point;
    return desc;
}

// A spline's knots or a polyline's points: `readOne` reads one and keeps
// it when `sizes` still keeps knots.
template <class ReadOne>
void readCurvePoints(FieldReader& list, SceneSizeCheck& sizes, ReadOne readOne) {
    std::size_t count = list.readArray([&](std::size_t i) { readOne(sizes.keepsKnot(i)); });
    sizes.curve(count, [&list] { return list.where(); });
}

// {"closed": bool, LIST: [...]}: `readList` reads the list member.
template <class ReadList>
bool readCurve(FieldReader& curve, const char* listKey, ReadList readList) {
    bool closed = false, listed = false;
    curve.readObject([&](const std::string& key) {
        if (key == "closed") {
            closed = curve.readBool();
        } else if (key == listKey) {
            readList();
            listed = true;
        } else {
            return false;
        }
        return true;
    });
    if (!listed) curve.fail(std::string("missing required field \"") + listKey + "\"");
    return closed;
}

std::vector<SplineDesc> readSplines(FieldReader& list, SceneSizeCheck& sizes) {
    std::vector<SplineDesc> splines;
    list.readArray([&](std::size_t) {
        SplineDesc spline;
        spline.closed = readCurve(list, "knots", [&] {
            spline.knots.clear();
            readCurvePoints(list, sizes, [&](bool keep) {
                KnotDesc knot = readKnot(list);
                if (keep) spline.knots.push_back(knot);
            });
        });
        if (sizes.keeping()) splines.push_back(std::move(spline));
    });
    return splines;
}

std::vector<PolylineDesc> readPolylines(FieldReader& list, SceneSizeCheck& sizes) {
    std::vector<PolylineDesc> polylines;
    list.readArray([&](std::size_t) {
        PolylineDesc polyline;
        polyline.closed = readCurve(list, "points", [&] {
            polyline.points.clear();
            readCurvePoints(list, sizes, [&](bool keep) {
                Point3 point = list.readPoint();
                if (keep) polyline.points.push_back(point);
            });
        });
        if (sizes.keeping()) polylines.push_back(std::move(polyline));
    });
    return polylines;
}

// A shape gives Bezier splines, polylines or one parametric outline: each is a host class of its own.
void readShape(FieldReader& shape, NodeDesc& desc, SceneSizeCheck& sizes) {
    std::string kindKey;
    shape.readObject([&](const std::string& key) {
        bool primitive = isPrimitiveKey(key);
        if (key != "splines" && key != "polylines" && !primitive) return false;
        if (!kindKey.empty() && kindKey != key) shape.failAbove(ONE_SHAPE_KIND);
        kindKey = key;
        if (key == "splines") {
            desc.kind = NodeObjectKind::Splines;
            desc.splines = readSplines(shape, sizes);
        } else if (key == "polylines") {
            desc.kind = NodeObjectKind::Polylines;
            desc.polylines = readPolylines(shape, sizes);
        } else {
            desc.kind = NodeObjectKind::Primitive;
            std::size_t mostKeys = 0;
            desc.primitive = parsePrimitive(shape, key, mostKeys);
            sizes.shapeParameterKeys(mostKeys, shape.whereAbove());
        }
        return true;
    });
    if (kindKey.empty()) shape.fail(ONE_SHAPE_KIND);
}

}  // namespace

NodeDesc parseNode(FieldReader& node, SceneSizeCheck& sizes) {
    NodeDesc desc;
    bool named = false, keyed = false;
    TMKey fixed;   // the static transform, checked even when keys replace it
    std::vector<TMKey> keys;
    const char* object = nullptr;   // "shape" or "mesh"
    node.readObject([&](const std::string& key) {
        if (key == "name") {
            desc.name = node.readName();
            named = true;
        } else if (key == "hidden") {
            desc.hidden = node.readBool();
        } else if (key == "keys") {
            keys = readTransformKeys(node, sizes);
            keyed = true;
        } else if (key == "pivot") {
            TMKey pivot;
            node.readObject([&](const std::string& part) { return readTransformPart(node, part, pivot); });
            desc.pivot = pivot;
        } else if (key == "shape" || key == "mesh") {
            if (object && key != object) node.failAbove("a node holds one object: \"shape\" or \"mesh\", not both");
            object = key == "shape" ? "shape" : "mesh";
            if (key == "shape") {
                readShape(node, desc, sizes);
            } else {
                node.readObject([](const std::string&) { return false; });
                desc.kind = NodeObjectKind::Mesh;
            }
        } else {
            return readTransformPart(node, key, fixed);
        }
        return true;
    });
    if (!named) node.fail("missing required field \"name\"");
    desc.transform = keyed ? keys : std::vector<TMKey>{fixed};
    desc.animated = keyed;
    return desc;
}
