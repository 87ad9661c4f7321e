#include "app/build_command.h"
#include <ostream>
#include "app/atomic_write.h"
#include "app/build_output.h"
#include "app/cli.h"
#include "app/demo_scene.h"
#include "app/scene_builder.h"
#include "app/scene_evaluation.h"
#include "app/scene_limits.h"

namespace {

int reportError(std::ostream& err, const std::string& subject, const std::string& what) {
    err << "trellis: error: " << subject << ": " << what << "\n";
    return EXIT_INPUT_ERROR;
}

// Standard output can fail too (a full disk, a closed pipe); that is not success.
int printText(const std::string& text, std::ostream& out, std::ostream& err) {
    out << text << std::flush;
    return out ? EXIT_OK : reportError(err, STDOUT_PATH, "cannot write to standard output");
}

// Builds the scene, deletes what the user deletes, and evaluates. Throws SceneError.
std::vector<EvaluatedFrame> evaluateDescription(const SceneDesc& desc, const std::vector<std::string>& deletions,
                                                std::vector<TimeValue> times) {
    if (times.empty()) times.push_back(desc.time);
    checkEvaluationSize(desc, times.size());
    Scene scene;
    buildScene(desc, scene);
    deleteNamedNodes(scene, deletions);
    return evaluateScene(desc, scene, times);
}

int writeDemoScene(const std::string& path, std::ostream& out, std::ostream& err) {
    try {
        writeFileAtomically(path, demoSceneText(), out);
    } catch (const OutputError& e) {
        return reportError(err, path, e.what());
    }
    return path == STDOUT_PATH ? EXIT_OK : printText("Wrote the demo scene to " + path + "\n", out, err);
}

}  // namespace

int runBuild(const BuildOptions& options, std::ostream& out, std::ostream& err) {
    if (int status = refuseOverwritingScene(options.outputs, options.scenePath, err)) return status;
    std::vector<EvaluatedFrame> frames;
    try {
        frames = evaluateDescription(readSceneFile(options.scenePath), options.deletions, options.times);
    } catch (const SceneError& e) {
        return reportError(err, options.scenePath, e.what());
    }
    if (int status = writeBuildFiles(options.outputs, frames, out, err)) return status;
    // With an output on standard output, nothing else may go there.
    if (countStdoutOutputs(options.outputs) > 0) return EXIT_OK;
    return printText(summaryText(options.outputs, frames), out, err);
}

int runDemo(const DemoOptions& options, std::ostream& out, std::ostream& err) {
    if (options.scenePath) return writeDemoScene(*options.scenePath, out, err);
    std::vector<EvaluatedFrame> frames;
    try {
        frames = evaluateDescription(parseScene(demoSceneText()), {}, {});
    } catch (const SceneError& e) {
        return reportError(err, "demo scene", e.what());
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
