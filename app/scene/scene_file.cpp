#include "app/scene/scene_file.h"
#include <charconv>
#include <cmath>
#include <map>
#include "app/scene/json_field.h"
#include "app/scene/scene_dependencies.h"
#include "app/scene/scene_limits.h"
#include "app/scene/scene_node_parser.h"
#include "app/scene/scene_text.h"
#include "app/scene/scene_trellis_parser.h"

namespace {

// The library's own tree builder, but for one number. A decimal just below
// 2^128 - 2^103 rounds to the largest float, yet its nearest double may be
// that halfway point itself, which as a double rounds to infinity; only the
// text can tell, so such a number is taken as the largest float when its
// text says so.
class SceneJsonBuilder {
public:
    explicit SceneJsonBuilder(nlohmann::json& root) : tree(root) {}

    bool null() { return tree.null(); }
    bool boolean(bool value) { return tree.boolean(value); }
    bool number_integer(nlohmann::json::number_integer_t value) { return tree.number_integer(value); }
    bool number_unsigned(nlohmann::json::number_unsigned_t value) { return tree.number_unsigned(value); }
    bool number_float(double value, const std::string& text) { return tree.number_float(asWritten(value, text), text); }
    bool string(std::string& value) { return tree.string(value); }
    bool binary(nlohmann::json::binary_t& value) { return tree.binary(value); }
    bool start_object(std::size_t count) { return tree.start_object(count); }
    bool key(std::string& name) { return tree.key(name); }
    bool end_object() { return tree.end_object(); }
    bool start_array(std::size_t count) { return tree.start_array(count); }
    bool end_array() { return tree.end_array(); }
    template <class Exception>
    bool parse_error(std::size_t position, const std::string& token, const Exception& error) {
        return tree.parse_error(position, token, error);
    }

private:
    static double asWritten(double value, const std::string& text) {
        if (std::fabs(value) != FLOAT_ROUNDS_TO_INFINITY) return value;
        float nearest = 0.0f;
        std::from_chars_result read = std::from_chars(text.data(), text.data() + text.size(), nearest);
        bool finite = read.ec == std::errc() && read.ptr == text.data() + text.size();
        return finite ? static_cast<double>(nearest) : value;
    }

    nlohmann::detail::json_sax_dom_parser<nlohmann::json> tree;
};

nlohmann::json parseJson(const std::string& text) {
    refuseNulBytes(text);
    try {
        nlohmann::json json;
        SceneJsonBuilder builder(json);
        nlohmann::json::sax_parse(text, &builder);
        return json;
    } catch (const nlohmann::json::exception& e) {
        // Drop the library's "[json.exception.parse_error.101] " tag; keep
        // its "parse error at line L, column C: ..." description. A literal
        // beyond the double range ends parsing too, with "number overflow
        // parsing '1e400'" and no position.
        std::string what = e.what();
        std::size_t tagEnd = what.find("] ");
        if (tagEnd != std::string::npos) what.erase(0, tagEnd + 2);
        throw SceneError("invalid JSON: " + what);
    }
}

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

}  // namespace

SceneDesc parseScene(const std::string& text) {
    nlohmann::json json = parseJson(text);
    if (!json.is_object()) throw SceneError(std::string("expected an object at the top level, got ") + json.type_name());
    JsonField root(json, "");
    SceneDesc scene;
    if (auto time = root.optionalMember("time")) scene.time = time->readInt();
    if (auto nodes = root.optionalMember("nodes"))
        for (std::size_t i = 0, n = nodes->arraySize(); i < n; ++i) scene.nodes.push_back(parseNode(nodes->element(i)));
    if (auto trellis = root.optionalMember("trellis"))
        for (std::size_t i = 0, n = trellis->arraySize(); i < n; ++i)
            scene.trellis.push_back(parseTrellis(trellis->element(i)));
    checkSceneSize(scene);
    checkNamesUnique(scene);
    checkSectionsExist(scene);
    scene.evaluationOrder = orderTrellisForEvaluation(scene.trellis);
    return scene;
}

SceneDesc readSceneFile(const std::string& path) {
    return parseScene(readSceneText(path));
}
