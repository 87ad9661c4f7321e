#include "app/build_command.h"
#include <ostream>
#include "app/atomic_write.h"
#include "app/build_output.h"
#include "app/cli.h"
#include "app/demo_scene.h"
#include "app/scene_builder.h"
#include "app/scene_evaluation.h"

namespace {

int reportError(std::ostream& err, const std::string& subject, const std::string& what) {
    err << "trellis: error: " << subject << ": " << what << "\n";
    return EXIT_INPUT_ERROR;
}

// Standard output can fail too (a full disk, a closed pipe); that is not success.
int printSummary(const std::vector<EvaluatedFrame>& frames, std::ostream& out, std::ostream& err) {
    out << buildSummary(frames) << std::flush;
    return out ? EXIT_OK : reportError(err, STDOUT_PATH, "cannot write to standard output");
}

// Builds the scene, deletes what the user deletes, and evaluates. Throws SceneError.
std::vector<EvaluatedFrame> evaluateDescription(const SceneDesc& desc, const std::vector<std::string>& deletions,
                                                std::vector<TimeValue> times) {
    if (times.empty()) times.push_back(desc.time);
    Scene scene;
    buildScene(desc, scene);
    deleteNamedNodes(scene, deletions);
    return evaluateScene(desc, scene, times);
}

// The document as it is written: compact, one line, and any text that is
// not valid UTF-8 (there should be none) replaced rather than thrown over.
std::string documentText(const std::vector<EvaluatedFrame>& frames) {
    return buildDocument(frames).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace

int runBuild(const BuildOptions& options, std::ostream& out, std::ostream& err) {
    std::vector<EvaluatedFrame> frames;
    try {
        if (options.jsonPath) refuseOverwritingInput(*options.jsonPath, options.scenePath);
    } catch (const OutputError& e) {
        return reportError(err, *options.jsonPath, e.what());
    }
    try {
        frames = evaluateDescription(readSceneFile(options.scenePath), options.deletions, options.times);
    } catch (const SceneError& e) {
        return reportError(err, options.scenePath, e.what());
    }
    if (options.jsonPath) {
        try {
            writeFileAtomically(*options.jsonPath, documentText(frames), out);
        } catch (const OutputError& e) {
            return reportError(err, *options.jsonPath, e.what());
        }
    }
    // With the document on standard output, nothing else may go there.
    bool documentOnStdout = options.jsonPath && *options.jsonPath == STDOUT_PATH;
    return documentOnStdout ? EXIT_OK : printSummary(frames, out, err);
}

int runDemo(std::ostream& out, std::ostream& err) {
    std::vector<EvaluatedFrame> frames;
    try {
        frames = evaluateDescription(parseScene(demoSceneText()), {}, {});
    } catch (const SceneError& e) {
        return reportError(err, "demo scene", e.what());
    }
    return printSummary(frames, out, err);
}
