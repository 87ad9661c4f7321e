// The host's scene: it owns the nodes. Deleting a node tells everything that
// references it (REFMSG_TARGET_DELETED) before the node goes.
#pragma once
#include <vector>
#include "inode.h"

class Scene {
public:
    Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    ~Scene();

    // A new node at the identity transform referencing obj (which may be null).
    INode* CreateNode(Object* obj, const char* name);
    void DeleteNode(INode* node);
    INode* FindNode(const char* name) const;
    int NodeCount() const { return static_cast<int>(nodes.size()); }
    INode* GetNode(int i) const { return nodes[i]; }
    // Deletes every node.
    void Clear();

private:
    std::vector<INode*> nodes;
};
