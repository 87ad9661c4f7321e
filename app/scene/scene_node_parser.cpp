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
bool readTransformPart(FieldReader& at, std::string_view key, TMKey& transform) {
    if (key == "position") transform.position = at.readPoint();
    else if (key == "rotation") transform.rotation = at.readPoint();
    else if (key == "scale") transform.scale = at.readPoint();
    else return false;
    return true;
}

TMKey readTransformKey(FieldReader& key) {
    TMKey value;
    bool timed = false;
    key.readObject([&](std::string_view name) {
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
        std::string_view given = at.readString();
        for (std::size_t i = 0; i < names.size(); ++i)
            if (sameIgnoringAsciiCase(names[i], given)) return static_cast<int>(i);
        at.fail("unknown value " + quoteName(std::string(given)) + " (expected " + accepted + ")");
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
    knot.readObject([&](std::string_view key) {
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

// A list of curves, each {"closed": bool, LIST: [...]}: `items` is the
// curve's list of knots or points, `readItem` reads one of them. Items
// are kept while `sizes` keeps knots, and every list is counted.
template <class Curve, class Item, class ReadItem>
std::vector<Curve> readCurves(FieldReader& list, SceneSizeCheck& sizes, const char* listKey,
                              std::vector<Item> Curve::*items, ReadItem readItem) {
    std::vector<Curve> curves;
    list.readArray([&](std::size_t) {
        Curve curve;
        bool listed = false;
        list.readObject([&](std::string_view key) {
            if (key == "closed") {
                curve.closed = list.readBool();
            } else if (key == listKey) {
                (curve.*items).clear();
                std::size_t count = list.readArray([&](std::size_t i) {
                    Item item = readItem(list);
                    if (sizes.keepsKnot(i)) (curve.*items).push_back(item);
                });
                sizes.curve(count, [&list] { return list.where(); });
                listed = true;
            } else {
                return false;
            }
            return true;
        });
        if (!listed) list.fail(std::string("missing required field \"") + listKey + "\"");
        if (sizes.keeping()) curves.push_back(std::move(curve));
    });
    return curves;
}

// A shape gives Bezier splines, polylines or one parametric outline: each is a host class of its own.
void readShape(FieldReader& shape, NodeDesc& desc, SceneSizeCheck& sizes) {
    std::string kindKey;
    shape.readObject([&](std::string_view key) {
        bool primitive = isPrimitiveKey(key);
        if (key != "splines" && key != "polylines" && !primitive) return false;
        if (!kindKey.empty() && kindKey != key) shape.failAbove(ONE_SHAPE_KIND);
        kindKey = key;
        if (key == "splines") {
            desc.kind = NodeObjectKind::Splines;
            desc.splines = readCurves(shape, sizes, "knots", &SplineDesc::knots, readKnot);
        } else if (key == "polylines") {
            desc.kind = NodeObjectKind::Polylines;
            desc.polylines =
                readCurves(shape, sizes, "points", &PolylineDesc::points, [](FieldReader& at) { return at.readPoint(); });
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
    node.readObject([&](std::string_view key) {
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
            node.readObject([&](std::string_view part) { return readTransformPart(node, part, pivot); });
            desc.pivot = pivot;
        } else if (key == "shape" || key == "mesh") {
            if (object && key != object) node.failAbove("a node holds one object: \"shape\" or \"mesh\", not both");
            object = key == "shape" ? "shape" : "mesh";
            if (key == "shape") {
                readShape(node, desc, sizes);
            } else {
                node.readObject([](std::string_view) { return false; });
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
