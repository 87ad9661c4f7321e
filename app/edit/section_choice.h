// The user's side of the select-by-name dialog that the rollup's Add
// button opens: choose the named nodes, in the order given, among the
// nodes the dialog offers; and say why a name is not offered.
#pragma once
#include <string>
#include <vector>
#include "hitbyname.h"

class INode;
class ReferenceTarget;
class Scene;

class SectionChoice {
public:
    // `object` is the trellis object whose rollup opens the dialog; `t` the host's time.
    SectionChoice(Scene& nodes, ReferenceTarget& edited, TimeValue t, std::vector<std::string> chosenNames)
        : scene(nodes), object(edited), time(t), names(std::move(chosenNames)) {}

    // The responder to install for one press of Add: confirms the named
    // nodes, or cancels when one is not offered and keeps the reason.
    HitByNameResponder responder();
    // Empty unless the dialog was cancelled: `"Box": not a shape`.
    const std::string& refusal() const { return why; }

private:
    bool choose(const HitByNameDialogView& view, std::vector<INode*>& chosen);
    std::string whyNotOffered(const std::string& name);
    bool dependsOnObject(INode& node);
    bool isSection(INode& node);
    bool isShape(INode& node);

    Scene& scene;
    ReferenceTarget& object;
    TimeValue time;
    std::vector<std::string> names;
    std::string why;
};
