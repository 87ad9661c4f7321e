// Scene nodes: a name, flags, a transform, an object offset and an object.
#pragma once
#include <string>
#include <vector>
#include "ref.h"
#include "object.h"
#include "control.h"
#include "gfx.h"

class Scene;

class INode : public ReferenceTarget {
public:
    // Reference slots of a node.
    static const int TM_REF = 0;
    static const int OBJ_REF = 1;

    INode(Scene* owner, const char* name);
    ~INode() override;

    SClass_ID SuperClassID() override { return BASENODE_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(1, 0); }
    int NumRefs() override { return 2; }
    RefTargetHandle GetReference(int i) override;
    void SetReference(int i, RefTargetHandle target) override;
    RefResult NotifyRefChanged(Interval, RefTargetHandle, PartID&, RefMessage) override;
    // Nodes belong to their scene; dropping the last reference never deletes one.
    BOOL AutoDelete() override { return FALSE; }

    const char* GetName() const { return name.c_str(); }
    void SetName(const char* n) { name = n ? n : ""; }
    BOOL IsHidden() const { return hidden ? TRUE : FALSE; }
    void Hide(BOOL onOff) { hidden = onOff != 0; }
    BOOL IsFrozen() const { return frozen ? TRUE : FALSE; }
    void Freeze(BOOL onOff) { frozen = onOff != 0; }

    PRSControl* GetTMController() { return tmControl; }
    // The node's transform; valid (when given) is narrowed by its animation.
    Matrix3 GetNodeTM(TimeValue t, Interval* valid = nullptr);
    // Object offset (pivot): object TM = offset * node TM.
    void SetObjOffset(const Matrix3& offset);
    const Matrix3& GetObjOffset() const { return objOffset; }
    Matrix3 GetObjectTM(TimeValue t, Interval* valid = nullptr);
    // No world-space modifiers exist here, so this equals the object TM.
    Matrix3 GetObjTMAfterWSM(TimeValue t, Interval* valid = nullptr);

    Object* GetObjectRef() { return object; }
    // References obj (dropping, and possibly deleting, the previous object).
    void SetObjectRef(Object* obj);
    // The object at t; hidden nodes are evaluated only when evalHidden is set.
    ObjectState EvalWorldState(TimeValue t, BOOL evalHidden = TRUE);

    Material* Mtls() { return &material; }
    int NumMtls() { return 1; }
    Scene* GetScene() { return scene; }

private:
    Scene* scene;
    std::string name;
    bool hidden = false;
    bool frozen = false;
    Matrix3 objOffset;
    PRSControl* tmControl = nullptr;
    Object* object = nullptr;
    Material material;
};

class INodeTab : public Tab<INode*> {};
