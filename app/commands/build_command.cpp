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

// Builds the scene, deletes what the user deletes, and evaluates. Throws SceneError.
std::vector<EvaluatedFrame> evaluateDescription(SceneDesc desc, const std::vector<std::string>& deletions,
                                                std::vector<TimeValue> times, const RunParts& parts,
                                                ClassDesc& trellisClass) {
    if (times.empty()) times.push_back(desc.time);
    checkEvaluationSize(desc, times.size());
    Scene scene;
    TrellisNodes nodes = buildScene(desc, scene, trellisClass);
    // The scene's shapes hold the knots now; their memory serves the builds.
    std::vector<NodeDesc>().swap(desc.nodes);
    deleteNamedNodes(scene, deletions, nodes);
    return evaluateScene(nodes, desc.evaluationOrder, times, parts);
}

int writeDemoScene(const std::string& path, std::ostream& out, std::ostream& err) {
    OutputSet outputs(out);
    try {
        outputs.add(path, "--scene", [](std::ostream& file) { file << demoSceneText(); });
        if (path != STDOUT_PATH) outputs.addStandardOutputText("Wrote the demo scene to " + escapeControls(path) + "\n");
        outputs.commit();
    } catch (const OutputError& e) {
        return reportErrorAbout(err, e.path(), e.what());
    }
    return EXIT_OK;
}

}  // namespace

int runBuild(const BuildOptions& options, ClassDesc& trellisClass, std::ostream& out, std::ostream& err) {
    std::vector<EvaluatedFrame> frames;
    OutputSet outputs(out);
    try {
        planBuildOutputs(options.outputs, options.scenePath, frames, outputs);
        frames = evaluateDescription(readSceneFile(options.scenePath), options.deletions, options.times,
                                     partsToKeep(options.outputs), trellisClass);
    } catch (const OutputError& e) {
        return reportErrorAbout(err, e.path(), e.what());
    } catch (const SceneError& e) {
        return reportErrorAbout(err, options.scenePath, e.what());
    }
    // With an output on standard output, nothing else may go there.
    if (countStdoutOutputs(options.outputs) == 0) outputs.addStandardOutputText(summaryText(options.outputs, frames));
    try {
        outputs.commit();
    } catch (const OutputError& e) {
        return reportErrorAbout(err, e.path(), e.what());
    }
    return EXIT_OK;
}

int runDemo(const DemoOptions& options, ClassDesc& trellisClass, std::ostream& out, std::ostream& err) {
    if (options.scenePath) return writeDemoScene(*options.scenePath, out, err);
    BuildOutputs demo;
    demo.svgPath = DEMO_SVG_PATH;
    demo.jsonPath = DEMO_JSON_PATH;
    demo.htmlPath = DEMO_HTML_PATH;
    demo.report = true;
    std::vector<EvaluatedFrame> frames;
    OutputSet outputs(out);
    try {
        planBuildOutputs(demo, "", frames, outputs);
        frames = evaluateDescription(parseScene(demoSceneText()), {}, {}, partsToKeep(demo), trellisClass);
    } catch (const OutputError& e) {
        return reportErrorAbout(err, e.path(), e.what());
    } catch (const SceneError& e) {
        return reportErrorAbout(err, "demo scene", e.what());
    }
    outputs.addStandardOutputText(buildSummary(frames) + "Wrote " + DEMO_SVG_PATH + " (the cages, " +
                                  viewName(demo.view) + " view), " + DEMO_JSON_PATH +
                                  " (the cages and their join report) and " + DEMO_HTML_PATH +
                                  " (the cages in 3D: open it in a browser)\n");
    try {
        outputs.commit();
    } catch (const OutputError& e) {
        return reportErrorAbout(err, e.path(), e.what());
    }
    return EXIT_OK;
}
