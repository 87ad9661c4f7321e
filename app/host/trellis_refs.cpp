#include "app/host/trellis_refs.h"

bool isOfTrellisClass(Object* object) {
    return object && object->ClassID() == TRELLIS_CLASS_ID && object->SuperClassID() == SHAPE_CLASS_ID;
}

ITrellisCage* trellisCageOf(Object& object) {
    return static_cast<ITrellisCage*>(object.GetInterface(I_TRELLIS_CAGE));
}

IParamBlock* splineTypeBlock(ReferenceTarget& object) {
    return dynamic_cast<IParamBlock*>(object.GetReference(PBLOCK_REF));
}

int splineTypeAt(ReferenceTarget& object, TimeValue t) {
    int value = 0;
    Interval ignored = FOREVER;
    if (IParamBlock* block = splineTypeBlock(object)) block->GetValue(PB_SPLINETYPE, t, value, ignored);
    return value;
}

std::vector<INode*> sectionSlots(ReferenceTarget& object) {
    std::vector<INode*> nodes;
    for (int slot = FIRST_SECTION_REF; slot < FIRST_SECTION_REF + MAX_SECTIONS; ++slot)
        nodes.push_back(dynamic_cast<INode*>(object.GetReference(slot)));
    return nodes;
}

namespace {

std::vector<std::optional<std::string>> describeSections(ReferenceTarget& object) {
    std::vector<std::optional<std::string>> slots;
    for (INode* node : sectionSlots(object))
        slots.push_back(node ? std::optional<std::string>(node->GetName()) : std::nullopt);
    while (!slots.empty() && !slots.back()) slots.pop_back();
    return slots;
}

SplineTypeDesc describeSplineType(ReferenceTarget& object, TimeValue t) {
    SplineTypeDesc desc;
    IParamBlock* block = splineTypeBlock(object);
    if (block && block->IsAnimated(PB_SPLINETYPE)) desc.keys = block->GetKeys(PB_SPLINETYPE);
    else desc.value = splineTypeAt(object, t);
    return desc;
}

}  // namespace

TrellisDesc describeTrellis(INode& node, ReferenceTarget& object, TimeValue t) {
    TrellisDesc desc;
    desc.name = node.GetName();
    desc.position = node.GetNodeTM(t).GetTrans();
    desc.splineType = describeSplineType(object, t);
    desc.sections = describeSections(object);
    return desc;
}
