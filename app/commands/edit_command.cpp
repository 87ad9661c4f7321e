#include "app/commands/edit_command.h"
#include <algorithm>
#include <ostream>
#include <sstream>
#include "app/output/atomic_write.h"
#include "app/output/build_output.h"
#include "app/commands/cli.h"
#include "app/edit/edit_session.h"
#include "app/edit/edit_target.h"
#include "app/host/scene_builder.h"
#include "app/scene/scene_dependencies.h"
#include "app/host/scene_evaluation.h"
#include "app/scene/scene_limits.h"
#include "app/scene/scene_writer.h"
#include "app/host/host_time.h"
#include "app/host/trellis_refs.h"

namespace {

bool toStdout(const std::optional<std::string>& path) { return path && *path == STDOUT_PATH; }

struct EditResult {
    std::string sceneText;   // when --save is given
    std::string cageText;    // when --json is given
};

// The scene file is never an output, so a failed or refused edit cannot
// damage it; nor may the two outputs reach one file. Both are checked
// before the edit and written, all or nothing, after it. Throws OutputError.
void planEditOutputs(const EditOptions& options, const EditResult& result, OutputSet& outputs) {
    for (const auto& output : {options.savePath, options.jsonPath})
        if (output) refuseOverwritingInput(*output, options.scenePath);
    if (options.savePath)
        outputs.add(*options.savePath, "--save", [&result](std::ostream& out) { out << result.sceneText; });
    if (options.jsonPath)
        outputs.add(*options.jsonPath, "--json", [&result](std::ostream& out) { out << result.cageText; });
}

// The cage as `trellis build --json` writes it, for the edited object alone.
std::string cageText(INode& edited, TimeValue t) {
    SnapshotParts document;
    document.cage = document.links = true;
    std::vector<EvaluatedFrame> frames = evaluateScene({&edited}, {0}, {t}, RunParts{document, document});
    std::ostringstream text;
    writeBuildDocument(text, frames);
    return text.str();
}

// The scene as it stands after the edit: the edited object in place of its
// old description, or added after the others when it was just created.
SceneDesc editedScene(SceneDesc desc, const TrellisDesc& edited) {
    auto old = std::find_if(desc.trellis.begin(), desc.trellis.end(),
                            [&](const TrellisDesc& t) { return t.name == edited.name; });
    if (old != desc.trellis.end())
        *old = edited;
    else
        desc.trellis.push_back(edited);
    desc.evaluationOrder = orderTrellisForEvaluation(desc.trellis);
    return desc;
}

// The scene lives in a host of its own, which the panel edits at the
// scene's time, and is gone before the outputs are written. Throws SceneError.
// The object answers queries that take no time at the running host's
// current time, which is the scene's while it is edited.
EditResult edit(const EditOptions& options, ClassDesc& trellisClass, std::ostream* out) {
    SceneDesc desc = readSceneFile(options.scenePath);
    // The chooser evaluates the nodes it offers, trellis objects included.
    checkEvaluationSize(desc, 1);
    IObjParam host;
    host.SetTime(desc.time);
    HostTimeScope coreTime(desc.time);
    buildScene(desc, host.GetScene(), trellisClass);
    INode& node = options.createName
                      ? createTrellisByClick(host, trellisClass, *options.createName, options.createAt)
                      : findTrellisNode(host.GetScene(), options.objectName);
    clickThrough(options.actions, host, node, options.createName.has_value(), out);
    TrellisDesc edited = describeTrellis(node, *node.GetObjectRef(), desc.time);
    EditResult result;
    if (options.savePath) result.sceneText = sceneText(readSceneDocument(options.scenePath), {edited});
    // Added sections may make the edited cage larger than a run may build.
    if (options.jsonPath) checkEvaluationSize(editedScene(desc, edited), 1);
    if (options.jsonPath) result.cageText = cageText(node, desc.time);
    return result;
}

}  // namespace

int runEdit(const EditOptions& options, ClassDesc& trellisClass, std::ostream& out, std::ostream& err) {
    EditResult result;
    OutputSet outputs(out);
    try {
        planEditOutputs(options, result, outputs);
        // With a document on standard output, nothing else may go there.
        bool documentOnStdout = toStdout(options.savePath) || toStdout(options.jsonPath);
        result = edit(options, trellisClass, documentOnStdout ? nullptr : &out);
        outputs.commit();
    } catch (const OutputError& e) {
        return reportErrorAbout(err, e.path(), e.what());
    } catch (const SceneError& e) {
        return reportErrorAbout(err, options.scenePath, e.what());
    }
    return EXIT_OK;
}
