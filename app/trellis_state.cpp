#include "app/trellis_state.h"
#include "object/trellis_object.h"

namespace {

// Read through the object's references, as the host saves them.
std::vector<std::optional<std::string>> readSections(ReferenceTarget& object) {
    std::vector<std::optional<std::string>> slots;
    for (int slot = FIRST_SECTION_REF; slot < FIRST_SECTION_REF + MAX_SECTIONS; ++slot) {
        INode* node = dynamic_cast<INode*>(object.GetReference(slot));
        slots.push_back(node ? std::optional<std::string>(node->GetName()) : std::nullopt);
    }
    while (!slots.empty() && !slots.back()) slots.pop_back();
    return slots;
}

SplineTypeDesc readSplineType(ReferenceTarget& object, TimeValue t) {
    SplineTypeDesc desc;
    IParamBlock* block = dynamic_cast<IParamBlock*>(object.GetReference(PBLOCK_REF));
    if (!block) return desc;
    if (block->IsAnimated(PB_SPLINETYPE)) {
        desc.keys = block->GetKeys(PB_SPLINETYPE);
        return desc;
    }
    Interval ignored = FOREVER;
    block->GetValue(PB_SPLINETYPE, t, desc.value, ignored);
    return desc;
}

}  // namespace

TrellisDesc describeTrellis(INode& node, ReferenceTarget& object, TimeValue t) {
    TrellisDesc desc;
    desc.name = node.GetName();
    desc.position = node.GetNodeTM(t).GetTrans();
    desc.splineType = readSplineType(object, t);
    desc.sections = readSections(object);
    return desc;
}
