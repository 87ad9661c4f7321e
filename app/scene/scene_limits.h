// Refusing scenes beyond the limits of scene/limits.h, before they are built.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include "app/scene/scene_file.h"

// Counts nodes, curves, knots and keys while a scene file is read. Once
// the file is over a limit, nothing more of it is kept, so memory never
// grows with a file that will be refused; the reading goes on only to find
// faults of the file itself, which are reported before the size.
class SceneSizeCheck {
public:
    // Whether what is read is still kept.
    bool keeping() const { return !over; }
    // Whether knot (or point) `index` of the curve being read is kept.
    bool keepsKnot(std::size_t index) const;

    // An entry of "nodes" or "trellis".
    void entry();
    // A spline of `knots` knots or a polyline of as many points; `where`
    // gives its list's place ("nodes[0].shape.splines[0].knots").
    void curve(std::size_t knots, const std::function<std::string()>& where);
    // The keys of a node's transform ("nodes[0].keys"), of a parameter of its
    // shape ("nodes[0].shape") or of an object's "SplineType" ("trellis[0].splineType.keys").
    void transformKeys(std::size_t count, const std::string& where);
    void shapeParameterKeys(std::size_t count, const std::string& where);
    void splineTypeKeys(std::size_t count, const std::string& where);

    // Throws SceneError naming the first place that went over a limit: the
    // number of entries, then the nodes' contents in file order, then the
    // trellis objects' keys.
    void finish() const;

private:
    void refuseNode(std::string message);

    std::size_t entries = 0;
    std::size_t curves = 0;
    std::size_t knots = 0;
    bool over = false;
    std::optional<std::string> nodeRefusal;
    std::optional<std::string> trellisRefusal;
};

// The evaluation size of building every trellis object at `timeCount`
// times (see MAX_EVALUATION_SIZE); needs the scene's evaluationOrder.
// Throws SceneError naming the object at which the total goes over.
void checkEvaluationSize(const SceneDesc& scene, std::size_t timeCount);
// The same size, or MAX_EVALUATION_SIZE + 1 for any size over the limit.
std::uint64_t measureEvaluationSize(const SceneDesc& scene, std::size_t timeCount);
