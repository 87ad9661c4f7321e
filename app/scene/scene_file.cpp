#include "app/scene/scene_file.h"
#include <map>
#include "app/scene/field_reader.h"
#include "app/scene/scene_dependencies.h"
#include "app/scene/scene_limits.h"
#include "app/scene/scene_node_parser.h"
#include "app/scene/scene_text.h"
#include "app/scene/scene_trellis_parser.h"

namespace {

// Trellis objects live in nodes of their own, so both lists share one namespace.
void checkNamesUnique(const SceneDesc& scene) {
    std::map<std::string, bool> seen;
    auto claim = [&seen](const std::string& name, const std::string& where) {
        if (!seen.emplace(name, true).second) throw SceneError(where + ": duplicate node name " + quoteName(name));
    };
    for (std::size_t i = 0; i < scene.nodes.size(); ++i)
        claim(scene.nodes[i].name, "nodes[" + std::to_string(i) + "].name");
    for (std::size_t i = 0; i < scene.trellis.size(); ++i)
        claim(scene.trellis[i].name, "trellis[" + std::to_string(i) + "].name");
}

void checkSectionsExist(const SceneDesc& scene) {
    std::map<std::string, bool> known;
    for (const NodeDesc& node : scene.nodes) known[node.name] = true;
    for (const TrellisDesc& trellis : scene.trellis) known[trellis.name] = true;
    for (std::size_t i = 0; i < scene.trellis.size(); ++i) {
        const auto& sections = scene.trellis[i].sections;
        for (std::size_t slot = 0; slot < sections.size(); ++slot)
            if (sections[slot] && !known.count(*sections[slot]))
                throw SceneError("trellis[" + std::to_string(i) + "].sections[" + std::to_string(slot) +
                                 "]: unknown node name " + quoteName(*sections[slot]));
    }
}

// The scene's parts, read as they stream by: nothing of the file is kept
// but the description, and nothing over a limit (SceneSizeCheck).
SceneDesc readSceneParts(JsonReader& json) {
    FieldReader root(json);
    if (root.kind() != JsonKind::Object)
        throw SceneError(std::string("expected an object at the top level, got ") + jsonKindName(root.kind()));
    SceneDesc scene;
    SceneSizeCheck sizes;
    root.readObject([&](std::string_view key) {
        if (key == "time") {
            scene.time = root.readInt();
        } else if (key == "nodes") {
            scene.nodes.clear();
            root.readArray([&](std::size_t) {
                sizes.entry();
                NodeDesc node = parseNode(root, sizes);
                if (sizes.keeping()) scene.nodes.push_back(std::move(node));
            });
        } else if (key == "trellis") {
            scene.trellis.clear();
            root.readArray([&](std::size_t) {
                sizes.entry();
                TrellisDesc trellis = parseTrellis(root, sizes);
                if (sizes.keeping()) scene.trellis.push_back(std::move(trellis));
            });
        } else {
            return false;
        }
        return true;
    });
    json.expectEnd();
    sizes.finish();
    return scene;
}

SceneDesc readScene(JsonReader& json) {
    SceneDesc scene = readSceneParts(json);
    checkNamesUnique(scene);
    checkSectionsExist(scene);
    scene.evaluationOrder = orderTrellisForEvaluation(scene.trellis);
    return scene;
}

// The library's words for a fault the reader found; a reader and library
// that disagreed would still give a line.
std::string describeSyntaxError(const std::string& text) {
    std::string syntax = syntaxErrorOf(text);
    return syntax.empty() ? "not a JSON text the reader accepts" : syntax;
}

}  // namespace

SceneDesc parseScene(const std::string& text) {
    refuseNulBytes(text);
    try {
        JsonReader json(text);
        return readScene(json);
    } catch (const JsonSyntaxFault&) {
        throw SceneError("invalid JSON: " + describeSyntaxError(text));
    } catch (const SceneError&) {
        // A file that is no JSON at all is reported as such, wherever its
        // fault lies, as a reader of the whole document would.
        std::string syntax = syntaxErrorOf(text);
        if (!syntax.empty()) throw SceneError("invalid JSON: " + syntax);
        throw;
    }
}

SceneDesc readSceneFile(const std::string& path) {
    return parseScene(readSceneText(path));
}
