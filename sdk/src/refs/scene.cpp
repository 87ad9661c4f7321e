// The scene owns its nodes and deletes them the way the host deletes a scene
// item (DeleteMe): dependents hear REFMSG_TARGET_DELETED, slots still holding
// the node are nulled, and the node releases its controller and object.
#include "scene.h"
#include <algorithm>
#include <cstring>

Scene::~Scene() { Clear(); }

INode* Scene::CreateNode(Object* obj, const char* name) {
    INode* node = new INode(this, name);
    if (obj) node->SetObjectRef(obj);
    nodes.push_back(node);
    return node;
}

// A node that is not this scene's is left alone.
void Scene::DeleteNode(INode* node) {
    auto it = std::find(nodes.begin(), nodes.end(), node);
    if (it == nodes.end()) return;
    nodes.erase(it);
    node->DeleteMe();
}

INode* Scene::FindNode(const char* name) const {
    if (!name) return nullptr;
    for (INode* node : nodes)
        if (std::strcmp(node->GetName(), name) == 0) return node;
    return nullptr;
}

// Newest first, so nodes made later (which may reference earlier ones) go first.
void Scene::Clear() {
    while (!nodes.empty()) {
        INode* node = nodes.back();
        nodes.pop_back();
        node->DeleteMe();
    }
}
