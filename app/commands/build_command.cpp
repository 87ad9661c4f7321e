#include "app/commands/build_command.h"
#include <ostream>
#include "app/output/atomic_write.h"
#include "app/output/build_output.h"
#include "app/commands/cli.h"
#include "app/scene/demo_scene.h"
#include "app/host/scene_builder.h"
#include "app/host/scene_evaluation.h"
#include "app/scene/scene_limits.h"

namespace {

int printText(const std::string& text, std::ostream& out, std::ostream& err) {
    out << text;
    return finishStandardOutput(out, err);
}

// Builds the scene, deletes what the user deletes, and evaluates. Throws SceneError.
std::vector<EvaluatedFrame> evaluateDescription(const SceneDesc& desc, const std::vector<std::string>& deletions,
                                                std::vector<TimeValue> times, ClassDesc& trellisClass) {
    if (times.empty()) times.push_back(desc.time);
    checkEvaluationSize(desc, times.size());
    Scene scene;
    TrellisNodes nodes = buildScene(desc, scene, trellisClass);
    deleteNamedNodes(scene, deletions, nodes);
    return evaluateScene(nodes, desc.evaluationOrder, times);
}

int writeDemoScene(const std::string& path, std::ostream& out, std::ostream& err) {
    try {
        writeFileAtomically(path, demoSceneText(), out);
    } catch (const OutputError& e) {
        return reportErrorAbout(err, path, e.what());
    }
    return path == STDOUT_PATH ? EXIT_OK : printText("Wrote the demo scene to " + path + "\n", out, err);
}

}  // namespace

int runBuild(const BuildOptions& options, ClassDesc& trellisClass, std::ostream& out, std::ostream& err) {
    if (int status = refuseOverwritingScene(options.outputs, options.scenePath, err)) return status;
    std::vector<EvaluatedFrame> frames;
    try {
        frames = evaluateDescription(readSceneFile(options.scenePath), options.deletions, options.times, trellisClass);
    } catch (const SceneError& e) {
        return reportErrorAbout(err, options.scenePath, e.what());
    }
    if (int status = writeBuildFiles(options.outputs, frames, out, err)) return status;
    // With an output on standard output, nothing else may go there.
    if (countStdoutOutputs(options.outputs) > 0) return EXIT_OK;
    return printText(summaryText(options.outputs, frames), out, err);
}

int runDemo(const DemoOptions& options, ClassDesc& trellisClass, std::ostream& out, std::ostream& err) {
    if (options.scenePath) return writeDemoScene(*options.scenePath, out, err);
    std::vector<EvaluatedFrame> frames;
    try {
        frames = evaluateDescription(parseScene(demoSceneText()), {}, {}, trellisClass);
    } catch (const SceneError& e) {
        return reportErrorAbout(err, "demo scene", e.what());
    }
    BuildOutputs outputs;
    outputs.svgPath = DEMO_SVG_PATH;
    outputs.jsonPath = DEMO_JSON_PATH;
    outputs.report = true;
    if (int status = writeBuildFiles(outputs, frames, out, err)) return status;
    return printText(buildSummary(frames) + "Wrote " + DEMO_SVG_PATH + " (the cages, " + viewName(outputs.view) +
                         " view) and " + DEMO_JSON_PATH + " (the cages and their join report)\n",
                     out, err);
}
