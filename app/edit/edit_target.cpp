#include "app/edit/edit_target.h"
#include <nlohmann/json.hpp>
#include "createmode.h"
#include "app/host/trellis_refs.h"
#include "app/scene/scene_error.h"

namespace {

// Scene files hold names as JSON strings, so a name that JSON cannot hold
// could not be saved.
void requireUsableName(const std::string& name) {
    if (name.empty()) throw SceneError("--create: the node name is empty");
    try {
        (void)nlohmann::json(name).dump();
    } catch (const nlohmann::json::exception&) {
        throw SceneError("--create: the node name is not valid UTF-8");
    }
}

}  // namespace

INode& findTrellisNode(Scene& scene, const std::string& name) {
    INode* node = scene.FindNode(name.c_str());
    if (!node) throw SceneError("--object: no node named " + quoteName(name));
    if (!isOfTrellisClass(node->GetObjectRef()))
        throw SceneError("--object: " + quoteName(name) + " is not a trellis object");
    return *node;
}

// The viewport is the stand-in's default one: world x, -y on the pixel grid
// (screen y grows downward), one unit a pixel.
INode& createTrellisByClick(IObjParam& host, ClassDesc& trellisClass, const std::string& name, IPoint2 mouse) {
    requireUsableName(name);
    if (host.GetScene().FindNode(name.c_str())) throw SceneError("--create: a node named " + quoteName(name) + " exists");
    ViewExp viewport;
    std::string error;
    INode* node = CreateByClick(&host, &trellisClass, &viewport, mouse, error);
    if (!node) throw SceneError("--create: " + error);
    node->SetName(name.c_str());
    return *node;
}
