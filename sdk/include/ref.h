// The host's reference system: makers hold numbered references to targets,
// targets know their dependents and send them messages.
#pragma once
#include <vector>
#include "maxtypes.h"
#include "interval.h"
#include "strclass.h"

class ReferenceTarget;
typedef ReferenceTarget* RefTargetHandle;
class RemapDir;

class Animatable {
public:
    Animatable() = default;
    Animatable(const Animatable&) = delete;
    Animatable& operator=(const Animatable&) = delete;
    virtual ~Animatable() = default;

    void SetAFlag(DWORD mask) { aflag |= mask; }
    void ClearAFlag(DWORD mask) { aflag &= ~mask; }
    BOOL TestAFlag(DWORD mask) const { return (aflag & mask) ? TRUE : FALSE; }

    virtual void DeleteThis() { delete this; }
    virtual Class_ID ClassID() { return Class_ID(0, 0); }
    virtual SClass_ID SuperClassID() { return 0; }
    virtual void GetClassName(TSTR& s) { s = ""; }
    virtual int NumSubs() { return 0; }
    virtual Animatable* SubAnim(int) { return nullptr; }
    virtual TSTR SubAnimName(int) { return TSTR(); }
    // The host's way to ask an object for an interface beyond its class
    // hierarchy, by an id the interface's owner publishes; null when the
    // object has no such interface.
    virtual void* GetInterface(ULONG) { return nullptr; }

private:
    DWORD aflag = 0;
};

class ReferenceMaker : public Animatable {
public:
    // Leaves the dependents list of every target this maker still references,
    // without virtual calls (the derived part is gone by now). Objects release
    // their references (and so possibly delete what only they held) in their
    // own destructors with DeleteAllRefsFromMe.
    ~ReferenceMaker() override;

    virtual int NumRefs() { return 0; }
    virtual RefTargetHandle GetReference(int) { return nullptr; }
    virtual void SetReference(int, RefTargetHandle) {}
    virtual RefResult NotifyRefChanged(Interval changeInt, RefTargetHandle hTarget, PartID& partID,
                                       RefMessage message) = 0;
    // A maker that is also a target answers itself; plain makers answer null.
    virtual ReferenceTarget* AsTarget() { return nullptr; }

    // Makes reference `which` to htarget. The slot is meant to be empty; what
    // it held is dropped from the bookkeeping (never deleted).
    RefResult MakeRefByID(Interval refInterval, int which, RefTargetHandle htarget);
    // Drops the old target of slot `which` (deleting it when delOld and
    // nothing else references it and it may be deleted), then references newtarg.
    RefResult ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld = TRUE);
    RefResult DeleteReference(int which);
    RefResult DeleteAllRefsFromMe();
    // Records from -> to in the remap directory; the base copies nothing else.
    void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap);

    // Called by targets: runs NotifyRefChanged, then passes the message on to
    // this maker's own dependents when propagate is set and the answer was not REF_STOP.
    RefResult DeliverRefMessage(Interval changeInt, RefTargetHandle hTarget, PartID partID,
                                RefMessage message, SClass_ID sclass, BOOL propagate);

private:
    friend class ReferenceTarget;
    // Mirror of the targets' dependents lists: one entry per registration, so
    // the destructor can leave those lists without asking the slots.
    std::vector<ReferenceTarget*> registeredWith;
};

class ReferenceTarget : public ReferenceMaker {
public:
    // A target destroyed while still referenced first nulls every slot that
    // holds it, so no maker keeps a dangling pointer.
    ~ReferenceTarget() override;
    ReferenceTarget* AsTarget() override { return this; }

    RefResult NotifyDependents(Interval changeInt, PartID partID, RefMessage message,
                               SClass_ID sclass = NOTIFY_ALL, BOOL propagate = TRUE,
                               RefTargetHandle hTarg = nullptr);
    virtual ReferenceTarget* Clone(RemapDir& remap);
    // Whether the reference system may delete this target once nothing
    // references it (scene nodes belong to the scene and answer FALSE).
    virtual BOOL AutoDelete() { return TRUE; }
    // Deletes the target the way the host deletes a scene item: dependents
    // get REFMSG_TARGET_DELETED, any references still held are cleared, the
    // target's own references are released, and it is destroyed.
    void DeleteMe();

    const std::vector<ReferenceMaker*>& Dependents() const { return dependents; }
    int DependentCount() const { return static_cast<int>(dependents.size()); }

    // Bookkeeping used by ReferenceMaker; one entry per reference held.
    // Both keep the maker's own record of its targets in step.
    void AddDependent(ReferenceMaker* maker);
    // Removes one entry of maker (if any).
    void RemoveDependent(ReferenceMaker* maker);

private:
    std::vector<ReferenceMaker*> dependents;
    bool notifying = false;  // guards against endless loops through dependency cycles
    bool deleting = false;   // DeleteMe has begun: never deleted a second time through a cycle
};

// Maps originals to their clones during one cloning operation.
class RemapDir {
public:
    virtual ~RemapDir() = default;
    virtual RefTargetHandle FindMapping(RefTargetHandle from);
    virtual void AddEntry(RefTargetHandle from, RefTargetHandle to);
    // The clone already made for oldTarg, or a new one.
    virtual RefTargetHandle CloneRef(RefTargetHandle oldTarg);

private:
    std::vector<std::pair<RefTargetHandle, RefTargetHandle>> entries;
};
typedef RemapDir DefaultRemapDir;

// Parameter name and dimension requests carried through a part id.
class ParamDimension {
public:
    virtual ~ParamDimension() = default;
};
extern ParamDimension* defaultDim;
struct GetParamName {
    TSTR& name;
    int index;
    GetParamName(TSTR& n, int i) : name(n), index(i) {}
};
struct GetParamDim {
    ParamDimension* dim;
    int index;
    explicit GetParamDim(int i) : dim(nullptr), index(i) {}
};
