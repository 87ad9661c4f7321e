#include "app/edit/section_choice.h"
#include <algorithm>
#include <cstring>
#include "max.h"
#include "app/host/trellis_refs.h"
#include "app/scene/scene_error.h"

HitByNameResponder SectionChoice::responder() {
    return [this](const HitByNameDialogView& view, std::vector<INode*>& chosen) { return choose(view, chosen); };
}

// Names are matched exactly, as the scene looks nodes up.
bool SectionChoice::choose(const HitByNameDialogView& view, std::vector<INode*>& chosen) {
    for (const std::string& name : names) {
        auto offered = std::find_if(view.offered.begin(), view.offered.end(),
                                    [&name](INode* node) { return std::strcmp(node->GetName(), name.c_str()) == 0; });
        if (offered == view.offered.end()) {
            why = quoteName(name) + ": " + whyNotOffered(name);
            return false;
        }
        if (std::find(chosen.begin(), chosen.end(), *offered) != chosen.end()) {
            why = quoteName(name) + ": chosen twice";
            return false;
        }
        chosen.push_back(*offered);
    }
    return true;
}

// The dialog shows neither hidden nor frozen nodes; of the rest the
// object's chooser takes shapes that are not sections already and do not
// depend on the object. The user is told the first reason that holds, as
// the host sees it: from the object's references, its own dependency test
// and the node's world state.
std::string SectionChoice::whyNotOffered(const std::string& name) {
    INode* node = scene.FindNode(name.c_str());
    if (!node) return "no such node";
    if (node->IsHidden()) return "hidden";
    if (node->IsFrozen()) return "frozen";
    if (isSection(*node)) return "already a section";
    if (dependsOnObject(*node)) return "depends on the object";
    if (!isShape(*node)) return "not a shape";
    return "not offered by the dialog";
}

// The host's own dependency test: everything that depends on the object,
// its own node among them, gets the flag.
bool SectionChoice::dependsOnObject(INode& node) {
    node.ClearAFlag(A_DEPENDENCY_TEST);
    object.NotifyDependents(FOREVER, 0, REFMSG_TEST_DEPENDENCY, NOTIFY_ALL, TRUE, nullptr);
    return node.TestAFlag(A_DEPENDENCY_TEST) != FALSE;
}

bool SectionChoice::isSection(INode& node) {
    std::vector<INode*> slots = sectionSlots(object);
    return std::find(slots.begin(), slots.end(), &node) != slots.end();
}

bool SectionChoice::isShape(INode& node) {
    ObjectState os = node.EvalWorldState(time, TRUE);
    return os.obj && os.obj->SuperClassID() == SHAPE_CLASS_ID;
}
