#include "app/scene/scene_node_parser.h"
#include <algorithm>
#include "spline3d.h"
#include "app/scene/scene_primitive_parser.h"

namespace {

// "position", "rotation" (degrees) and "scale" of a transform-like object,
// each defaulting to the identity's.
TMKey readTransformParts(const JsonField& at, TimeValue time) {
    TMKey key;
    key.time = time;
    if (auto p = at.optionalMember("position")) key.position = p->readPoint();
    if (auto r = at.optionalMember("rotation")) key.rotation = r->readPoint();
    if (auto s = at.optionalMember("scale")) key.scale = s->readPoint();
    return key;
}

// Keys sorted by time. Two keys at one time would leave the value between
// them undefined, so they are refused.
std::vector<TMKey> readTransformKeys(const JsonField& keysField) {
    std::size_t count = keysField.arraySize();
    if (count == 0) keysField.fail("expected at least one key");
    std::vector<TMKey> keys;
    for (std::size_t i = 0; i < count; ++i) {
        JsonField key = keysField.element(i);
        TMKey value = readTransformParts(key, key.member("time").readInt());
        for (const TMKey& earlier : keys)
            if (earlier.time == value.time) key.member("time").fail("two keys at time " + std::to_string(value.time));
        keys.push_back(value);
    }
    std::sort(keys.begin(), keys.end(), [](const TMKey& a, const TMKey& b) { return a.time < b.time; });
    return keys;
}

// A host enumeration value given by name (any letter case) or by number.
int readNamedValue(const JsonField& at, const std::vector<std::string>& names, const char* accepted) {
    const nlohmann::json& v = at.value();
    if (v.is_string()) {
        std::string name = asciiLowerCase(v.get<std::string>());
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return static_cast<int>(i);
        at.fail("unknown value " + quoteName(v.get<std::string>()) + " (expected " + accepted + ")");
    }
    if (!v.is_number()) at.fail(std::string("expected ") + accepted + ", got " + v.type_name());
    int number = at.readInt();
    if (number < 0 || number >= static_cast<int>(names.size()))
        at.fail("value " + std::to_string(number) + " out of range (expected " + accepted + ")");
    return number;
}

KnotDesc readKnot(const JsonField& knot) {
    static const std::vector<std::string> knotTypes{"smooth", "corner", "bezier", "bezier corner"};
    static const std::vector<std::string> lineTypes{"curve", "line"};
    KnotDesc desc;
    desc.point = knot.member("point").readPoint();
    desc.inVec = desc.outVec = desc.point;
    if (auto in = knot.optionalMember("in")) desc.inVec = in->readPoint();
    if (auto out = knot.optionalMember("out")) desc.outVec = out->readPoint();
    if (auto type = knot.optionalMember("type"))
        desc.type = readNamedValue(*type, knotTypes, "\"smooth\", \"corner\", \"bezier\", \"bezier corner\" or 0 to 3");
    if (auto line = knot.optionalMember("line"))
        desc.line = readNamedValue(*line, lineTypes, "\"curve\", \"line\", 0 or 1");
    return desc;
}

bool readClosed(const JsonField& curve) {
    auto closed = curve.optionalMember("closed");
    return closed ? closed->readBool() : false;
}

SplineDesc readSpline(const JsonField& spline) {
    SplineDesc desc;
    desc.closed = readClosed(spline);
    JsonField knots = spline.member("knots");
    for (std::size_t i = 0, n = knots.arraySize(); i < n; ++i) desc.knots.push_back(readKnot(knots.element(i)));
    return desc;
}

PolylineDesc readPolyline(const JsonField& polyline) {
    PolylineDesc desc;
    desc.closed = readClosed(polyline);
    JsonField points = polyline.member("points");
    for (std::size_t i = 0, n = points.arraySize(); i < n; ++i) desc.points.push_back(points.element(i).readPoint());
    return desc;
}

// A shape gives Bezier splines, polylines or one parametric outline: each is a host class of its own.
void readShape(const JsonField& shape, NodeDesc& desc) {
    bool hasSplines = shape.has("splines");
    bool hasPolylines = shape.has("polylines");
    std::vector<const char*> primitives = primitiveKeysOf(shape);
    if (int(hasSplines) + int(hasPolylines) + int(primitives.size()) != 1)
        shape.fail("expected exactly one of \"splines\" and \"polylines\", or a single \"circle\", \"rectangle\", "
                   "\"ngon\" or \"star\"");
    if (!primitives.empty()) {
        desc.kind = NodeObjectKind::Primitive;
        desc.primitive = parsePrimitive(shape, primitives.front());
        return;
    }
    JsonField curves = shape.member(hasSplines ? "splines" : "polylines");
    std::size_t count = curves.arraySize();
    desc.kind = hasSplines ? NodeObjectKind::Splines : NodeObjectKind::Polylines;
    for (std::size_t i = 0; i < count; ++i) {
        if (hasSplines) desc.splines.push_back(readSpline(curves.element(i)));
        else desc.polylines.push_back(readPolyline(curves.element(i)));
    }
}

void readObject(const JsonField& node, NodeDesc& desc) {
    std::optional<JsonField> shape = node.optionalMember("shape");
    std::optional<JsonField> mesh = node.optionalMember("mesh");
    if (shape && mesh) node.fail("a node holds one object: \"shape\" or \"mesh\", not both");
    if (shape) readShape(*shape, desc);
    if (mesh) {
        mesh->requireObject();
        desc.kind = NodeObjectKind::Mesh;
    }
}

}  // namespace

NodeDesc parseNode(const JsonField& node) {
    node.requireObject();
    NodeDesc desc;
    desc.name = node.member("name").readName();
    if (auto hidden = node.optionalMember("hidden")) desc.hidden = hidden->readBool();
    // The static parts are checked even when keys replace them.
    desc.transform = {readTransformParts(node, 0)};
    if (auto keys = node.optionalMember("keys")) {
        desc.transform = readTransformKeys(*keys);
        desc.animated = true;
    }
    if (auto pivot = node.optionalMember("pivot")) {
        pivot->requireObject();
        desc.pivot = readTransformParts(*pivot, 0);
    }
    readObject(node, desc);
    return desc;
}
