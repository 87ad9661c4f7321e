// Scene nodes: slot 0 holds the node's own transform controller, slot 1 its
// object. Whatever changes in either travels on to the node's dependents.
#include "inode.h"

INode::INode(Scene* owner, const char* n) : scene(owner), name(n ? n : "") {
    MakeRefByID(FOREVER, TM_REF, new PRSControl);
}

INode::~INode() { DeleteAllRefsFromMe(); }

RefTargetHandle INode::GetReference(int i) {
    if (i == TM_REF) return tmControl;
    if (i == OBJ_REF) return object;
    return nullptr;
}

// A slot takes only its own kind of target; anything else leaves it empty.
void INode::SetReference(int i, RefTargetHandle target) {
    if (i == TM_REF) tmControl = dynamic_cast<PRSControl*>(target);
    if (i == OBJ_REF) object = dynamic_cast<Object*>(target);
}

// A deleted object or controller leaves its slot empty; every other message
// is answered so that it travels on to whatever references the node.
RefResult INode::NotifyRefChanged(Interval, RefTargetHandle hTarget, PartID&, RefMessage message) {
    if (message == REFMSG_TARGET_DELETED) {
        if (hTarget == object) object = nullptr;
        if (hTarget == tmControl) tmControl = nullptr;
    }
    return REF_SUCCEED;
}

// Without a controller the node stands at the identity, valid forever.
Matrix3 INode::GetNodeTM(TimeValue t, Interval* valid) {
    if (!tmControl) return Matrix3();
    Interval local = FOREVER;
    return tmControl->GetValue(t, valid ? *valid : local);
}

void INode::SetObjOffset(const Matrix3& offset) {
    objOffset = offset;
    NotifyDependents(FOREVER, PART_TM, REFMSG_CHANGE);
}

Matrix3 INode::GetObjectTM(TimeValue t, Interval* valid) { return objOffset * GetNodeTM(t, valid); }

Matrix3 INode::GetObjTMAfterWSM(TimeValue t, Interval* valid) { return GetObjectTM(t, valid); }

void INode::SetObjectRef(Object* obj) {
    if (obj == object) return;
    ReplaceReference(OBJ_REF, obj, TRUE);
    NotifyDependents(FOREVER, PART_OBJ, REFMSG_CHANGE);
}

ObjectState INode::EvalWorldState(TimeValue t, BOOL evalHidden) {
    if (!object || (hidden && !evalHidden)) return ObjectState();
    return object->Eval(t);
}
