#include "app/scene/scene_limits.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include "app/scene/limits.h"
#include "shape.h"
#include "simpshp.h"

namespace {

std::string indexed(const char* list, std::size_t i) {
    return std::string(list) + "[" + std::to_string(i) + "]";
}

std::string countRefusal(const std::string& where, std::size_t count, const char* what, std::size_t limit) {
    return where + ": " + std::to_string(count) + " " + what + ", at most " + std::to_string(limit);
}

std::string totalRefusal(const std::string& where, const char* what, std::size_t limit) {
    return where + ": more than " + std::to_string(limit) + " " + what + " in the scene";
}

// Sizes are clamped just above the limit: a chain of trellis objects
// multiplies them, and anything above the limit is refused anyway.
std::uint64_t clampedSize(std::uint64_t size) {
    return std::min<std::uint64_t>(size, MAX_EVALUATION_SIZE + 1);
}

// The largest count a parameter takes at any time, as the shape holds it:
// between two keys the value lies between theirs.
std::uint64_t largestCount(const AnimatedValue& param) {
    float largest = param.value;
    for (const auto& key : param.keys) largest = std::max(largest, key.second);
    float held = std::clamp(largest, static_cast<float>(SIMPLE_SHAPE_MIN_COUNT), static_cast<float>(SIMPLE_SHAPE_MAX_COUNT));
    return static_cast<std::uint64_t>(std::lround(held));
}

std::uint64_t primitiveKnots(const PrimitiveDesc& primitive) {
    switch (primitive.kind) {
        case PrimitiveKind::Circle:
        case PrimitiveKind::Rectangle: return 4;
        case PrimitiveKind::NGon: return largestCount(primitive.params.at(PB_NGON_SIDES));
        case PrimitiveKind::Star: return 2 * largestCount(primitive.params.at(PB_STAR_POINTS));
    }
    return 0;
}

// Knots a section's first curve gives the gathering of another object.
std::uint64_t firstCurveKnots(const NodeDesc& node) {
    switch (node.kind) {
        case NodeObjectKind::Splines: return node.splines.empty() ? 0 : node.splines.front().knots.size();
        case NodeObjectKind::Polylines: return node.polylines.empty() ? 0 : node.polylines.front().points.size();
        case NodeObjectKind::Primitive: return primitiveKnots(node.primitive);
        case NodeObjectKind::None:
        case NodeObjectKind::Mesh: break;
    }
    return 0;
}

// A trellis object offers no Bezier form: its cage's first spline, a copy
// of its slot-1 section's first curve, reaches the next object as a
// polyline with the host's interpolation steps between knots.
std::uint64_t sampledKnots(std::uint64_t knots) {
    const std::uint64_t pointsPerKnot = static_cast<std::uint64_t>(BezierShape().steps) + 1;
    return knots == 0 ? 0 : clampedSize(knots * pointsPerKnot + 1);
}

// What the scene's sections give a build, by name: the knots of their
// first curve, and for trellis objects the knots of their whole cage, which
// every object that takes one as a section has converted into polylines.
struct SectionSizes {
    std::map<std::string, std::uint64_t> firstCurveKnots;
    std::map<std::string, std::uint64_t> cageKnots;
};

// At most the knots of a trellis object's cage: its section copies, and
// per pair of copies at most one link per knot of the longer copy and a
// closing link, each link adding at most two knots to the chains (ribs add
// as many knots as the copies hold). An empty slot 1 gathers nothing.
std::uint64_t cageKnotBound(const TrellisDesc& trellis, const SectionSizes& sizes) {
    if (trellis.sections.empty() || !trellis.sections.front()) return 0;
    std::uint64_t total = 0, previous = 0;
    bool first = true;
    for (const std::optional<std::string>& section : trellis.sections) {
        if (!section) continue;
        std::uint64_t knots = sizes.firstCurveKnots.at(*section);
        total += knots + (first ? 0 : 2 * (std::max(knots, previous) + 1));
        previous = knots;
        first = false;
    }
    return clampedSize(total);
}

// Trellis objects in evaluation order, so each section is known before it is used.
SectionSizes sectionSizes(const SceneDesc& scene) {
    SectionSizes sizes;
    for (const NodeDesc& node : scene.nodes) sizes.firstCurveKnots[node.name] = firstCurveKnots(node);
    for (int index : scene.evaluationOrder) {
        const TrellisDesc& trellis = scene.trellis[index];
        bool hasFirst = !trellis.sections.empty() && trellis.sections.front();
        sizes.firstCurveKnots[trellis.name] = hasFirst ? sampledKnots(sizes.firstCurveKnots[*trellis.sections.front()]) : 0;
        sizes.cageKnots[trellis.name] = cageKnotBound(trellis, sizes);
    }
    return sizes;
}

// A trellis section costs its referrer the conversion of its whole cage.
std::uint64_t evaluationSize(const TrellisDesc& trellis, const SectionSizes& sizes) {
    std::uint64_t size = 1;
    for (const std::optional<std::string>& section : trellis.sections) {
        if (!section) continue;
        auto cage = sizes.cageKnots.find(*section);
        size += 1 + sizes.firstCurveKnots.at(*section) + (cage == sizes.cageKnots.end() ? 0 : cage->second);
        size = clampedSize(size);
    }
    return size;
}

// Sums the objects' sizes in file order and returns the index of the one
// that takes the total over the limit (the object count when none does).
std::size_t accumulateEvaluationSize(const SceneDesc& scene, std::size_t timeCount, std::uint64_t& total) {
    SectionSizes sizes = sectionSizes(scene);
    for (std::size_t i = 0; i < scene.trellis.size(); ++i) {
        total += evaluationSize(scene.trellis[i], sizes) * timeCount;
        if (total > MAX_EVALUATION_SIZE) return i;
    }
    return scene.trellis.size();
}

}  // namespace

bool SceneSizeCheck::keepsKnot(std::size_t index) const {
    return !over && curves < MAX_SCENE_CURVES && index < MAX_CURVE_KNOTS && knots + index < MAX_SCENE_KNOTS;
}

void SceneSizeCheck::entry() {
    if (++entries > MAX_SCENE_NODES) over = true;
}

void SceneSizeCheck::refuseNode(std::string message) {
    if (!nodeRefusal) nodeRefusal = std::move(message);
    over = true;
}

void SceneSizeCheck::curve(std::size_t count, const std::function<std::string()>& where) {
    if (++curves > MAX_SCENE_CURVES) return refuseNode(totalRefusal(where(), "splines and polylines", MAX_SCENE_CURVES));
    if (count > MAX_CURVE_KNOTS) return refuseNode(countRefusal(where(), count, "knots", MAX_CURVE_KNOTS));
    knots += count;
    if (knots > MAX_SCENE_KNOTS) refuseNode(totalRefusal(where(), "knots", MAX_SCENE_KNOTS));
}

void SceneSizeCheck::transformKeys(std::size_t count, const std::string& where) {
    if (count > MAX_ANIMATION_KEYS) refuseNode(countRefusal(where, count, "keys", MAX_ANIMATION_KEYS));
}

void SceneSizeCheck::shapeParameterKeys(std::size_t count, const std::string& where) {
    if (count > MAX_ANIMATION_KEYS)
        refuseNode(where + ": a parameter with " + std::to_string(count) + " keys, at most " +
                   std::to_string(MAX_ANIMATION_KEYS));
}

void SceneSizeCheck::splineTypeKeys(std::size_t count, const std::string& where) {
    if (count <= MAX_ANIMATION_KEYS) return;
    if (!trellisRefusal) trellisRefusal = countRefusal(where, count, "keys", MAX_ANIMATION_KEYS);
    over = true;
}

void SceneSizeCheck::finish() const {
    if (entries > MAX_SCENE_NODES)
        throw SceneError(countRefusal("nodes", entries, "nodes and trellis objects", MAX_SCENE_NODES));
    if (nodeRefusal) throw SceneError(*nodeRefusal);
    if (trellisRefusal) throw SceneError(*trellisRefusal);
}

std::uint64_t measureEvaluationSize(const SceneDesc& scene, std::size_t timeCount) {
    std::uint64_t total = 0;
    accumulateEvaluationSize(scene, timeCount, total);
    return clampedSize(total);
}

void checkEvaluationSize(const SceneDesc& scene, std::size_t timeCount) {
    std::uint64_t total = 0;
    std::size_t over = accumulateEvaluationSize(scene, timeCount, total);
    if (over == scene.trellis.size()) return;
    throw SceneError(indexed("trellis", over) + ": the cages up to " + quoteName(scene.trellis[over].name) + " at " +
                     std::to_string(timeCount) + (timeCount == 1 ? " time" : " times") + " draw on more than " +
                     std::to_string(MAX_EVALUATION_SIZE) + " section knots, the limit of one run");
}
