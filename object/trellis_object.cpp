// TrellisObject: data, reference slots and lifecycle.
#include "object/trellis_object.h"
#include "object/param_desc.h"
#include "plugin/get_string.h"
#include "resources/resource.h"

// The object's source file as its assertion reports name it.
static const char* const kSourceName = "DONUT";

TrellisObject::TrellisObject() {
    shapeValid = NEVER;
    SetAFlag(A_OBJ_CREATING);
    MakeRefByID(FOREVER, PBLOCK_REF, CreateParameterBlock(splineTypeDesc, 1, TRELLIS_PBLOCK_VERSION));
    if (!pblock) assert1(1390, kSourceName);
}

// Section references are released through the reference system, so no node
// keeps a dependent entry that points at a destroyed object; then the
// parameter block goes, with the undo hold suspended.
TrellisObject::~TrellisObject() {
    for (int slot = FIRST_SECTION_REF; slot < TRELLIS_NUM_REFS; ++slot)
        if (GetReference(slot)) DeleteReference(slot);
    theHold.Suspend();
    DeleteAllRefsFromMe();
    theHold.Resume();
    pblock = nullptr;
    zfree(cageJoins);
    zfree(cageLinks);
    zfree(cagePoints);
}

void* TrellisObject::GetInterface(ULONG id) {
    if (id == I_TRELLIS_CAGE) return static_cast<ITrellisCage*>(this);
    return ShapeObject::GetInterface(id);
}

void TrellisObject::NotifyCageEdited(PartID parts) {
    shapeValid = NEVER;
    NotifyDependents(FOREVER, parts, REFMSG_CHANGE, NOTIFY_ALL, TRUE, nullptr);
}

void TrellisObject::GetClassName(TSTR& s) { s = GetString(IDS_CLASS_NAME); }
void TrellisObject::InitNodeName(TSTR& s) { s = GetString(IDS_CLASS_NAME); }
const char* TrellisObject::GetObjectName() { return GetString(IDS_CLASS_NAME); }

RefTargetHandle TrellisObject::GetReference(int i) {
    if (i == PBLOCK_REF) return pblock;
    if (i <= MAX_SECTIONS) return sectionNodes[i - FIRST_SECTION_REF];
    return reservedRefs[i - FIRST_SECTION_REF - MAX_SECTIONS];
}

void TrellisObject::SetReference(int i, RefTargetHandle target) {
    if (i == PBLOCK_REF) {
        pblock = static_cast<IParamBlock*>(target);
    } else if (i <= MAX_SECTIONS) {
        sectionNodes[i - FIRST_SECTION_REF] = static_cast<INode*>(target);
    } else {
        reservedRefs[i - FIRST_SECTION_REF - MAX_SECTIONS] = target;
    }
}

namespace {

// A deleted section node leaves a hole in place: the list is not compacted.
// The cage it was part of is stale from now on, so the cache is dropped too
// (nothing else would tell the object that its cage changed).
void clearSlotsHolding(TrellisObject& obj, RefTargetHandle target) {
    bool held = false;
    for (INode*& node : obj.sectionNodes)
        if (node == target) { node = nullptr; held = true; }
    for (ReferenceTarget*& ref : obj.reservedRefs)
        if (ref == target) { ref = nullptr; held = true; }
    if (held) obj.shapeValid = NEVER;
}

}  // namespace

RefResult TrellisObject::NotifyRefChanged(Interval, RefTargetHandle hTarget, PartID& partID,
                                          RefMessage message) {
    switch (message) {
        case REFMSG_TARGET_DELETED:
            if (hTarget == pblock)
                pblock = nullptr;
            else
                clearSlotsHolding(*this, hTarget);
            return REF_SUCCEED;
        case REFMSG_CHANGE:
            shapeValid = NEVER;
            InvalidateGeomCache();
            redrawPanelIfEdited();
            return REF_SUCCEED;
        case REFMSG_GET_PARAM_NAME: {
            GetParamName* request = reinterpret_cast<GetParamName*>(partID);
            request->name = request->index == PB_SPLINETYPE ? "SplineType" : "";
            return REF_STOP;
        }
        case REFMSG_GET_PARAM_DIM: {
            GetParamDim* request = reinterpret_cast<GetParamDim*>(partID);
            request->dim = defaultDim;
            return REF_STOP;
        }
        default:
            return REF_SUCCEED;
    }
}

// A clone keeps the rendering settings and "SplineType" but starts with no
// sections: section references are not copied.
ReferenceTarget* TrellisObject::Clone(RemapDir& remap) {
    TrellisObject* clone = new TrellisObject();
    clone->CopyBaseData(*this);
    // Without a block of its own to copy, the clone keeps its fresh block.
    if (pblock) clone->ReplaceReference(PBLOCK_REF, remap.CloneRef(pblock), TRUE);
    clone->shapeValid = NEVER;
    BaseClone(this, clone, remap);
    return clone;
}
