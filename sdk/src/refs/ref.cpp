// The reference system: makers hold numbered slots, targets keep one
// dependents entry per slot that holds them, and each maker keeps the mirror
// of those entries. Every change of a slot goes through ReplaceReference so
// the two sides stay in step.
#include "ref.h"
#include <algorithm>

namespace {

ParamDimension theDefaultDim;

// Erases the first occurrence of value; answers whether there was one.
template <class T>
bool eraseOne(std::vector<T>& list, T value) {
    auto it = std::find(list.begin(), list.end(), value);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

bool slotInRange(ReferenceMaker* maker, int which) { return which >= 0 && which < maker->NumRefs(); }

// Nulls every slot of maker that holds target, through the maker's own SetReference.
void nullSlotsHolding(ReferenceMaker* maker, ReferenceTarget* target) {
    const int count = maker->NumRefs();
    for (int i = 0; i < count; ++i)
        if (maker->GetReference(i) == target) maker->SetReference(i, nullptr);
}

// Leaves target without dependents: their slots that still hold it are
// nulled, and every entry (on both sides) is dropped.
void detachDependents(ReferenceTarget* target) {
    while (target->DependentCount() > 0) {
        ReferenceMaker* maker = target->Dependents().back();
        nullSlotsHolding(maker, target);
        target->RemoveDependent(maker);
    }
}

}  // namespace

ParamDimension* defaultDim = &theDefaultDim;

ReferenceMaker::~ReferenceMaker() {
    while (!registeredWith.empty()) registeredWith.back()->RemoveDependent(this);
}

// The slot is meant to be empty; should it hold something, that reference is
// dropped (never deleted) so the bookkeeping stays exact.
RefResult ReferenceMaker::MakeRefByID(Interval, int which, RefTargetHandle htarget) {
    return ReplaceReference(which, htarget, FALSE);
}

RefResult ReferenceMaker::ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld) {
    if (!slotInRange(this, which)) return REF_FAIL;
    ReferenceTarget* old = GetReference(which);
    if (old == newtarg) return REF_SUCCEED;
    if (old) old->RemoveDependent(this);
    SetReference(which, newtarg);
    // A slot that refused the target (wrong kind) must not leave a phantom dependent.
    if (newtarg && GetReference(which) == newtarg) newtarg->AddDependent(this);
    // DeleteMe ignores a target already on its way out (a cycle leading back to it).
    if (delOld && old && old->DependentCount() == 0 && old->AutoDelete()) old->DeleteMe();
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteReference(int which) { return ReplaceReference(which, nullptr, TRUE); }

RefResult ReferenceMaker::DeleteAllRefsFromMe() {
    const int count = NumRefs();
    for (int i = 0; i < count; ++i)
        if (GetReference(i)) DeleteReference(i);
    return REF_SUCCEED;
}

void ReferenceMaker::BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) {
    remap.AddEntry(from, to);
}

// The answer of NotifyRefChanged decides only whether the message travels on;
// the part id it may have rewritten is what travels.
RefResult ReferenceMaker::DeliverRefMessage(Interval changeInt, RefTargetHandle hTarget, PartID partID,
                                            RefMessage message, SClass_ID sclass, BOOL propagate) {
    if (message == REFMSG_TEST_DEPENDENCY) SetAFlag(A_DEPENDENCY_TEST);
    RefResult res = NotifyRefChanged(changeInt, hTarget, partID, message);
    ReferenceTarget* self = AsTarget();
    if (propagate && res != REF_STOP && self)
        self->NotifyDependents(changeInt, partID, message, sclass, propagate);
    return REF_SUCCEED;
}

ReferenceTarget::~ReferenceTarget() { detachDependents(this); }

void ReferenceTarget::AddDependent(ReferenceMaker* maker) {
    if (!maker) return;
    dependents.push_back(maker);
    maker->registeredWith.push_back(this);
}

void ReferenceTarget::RemoveDependent(ReferenceMaker* maker) {
    if (!maker) return;
    eraseOne(dependents, maker);
    eraseOne(maker->registeredWith, this);
}

// Delivers to a snapshot of the dependents, skipping any that left the live
// list meanwhile (a dependent may drop its reference, or be deleted, while an
// earlier one handles the message). The target itself must outlive the call.
RefResult ReferenceTarget::NotifyDependents(Interval changeInt, PartID partID, RefMessage message,
                                            SClass_ID sclass, BOOL propagate, RefTargetHandle hTarg) {
    if (notifying) return REF_SUCCEED;
    notifying = true;
    RefTargetHandle sender = hTarg ? hTarg : this;
    const std::vector<ReferenceMaker*> snapshot = dependents;
    for (ReferenceMaker* maker : snapshot) {
        if (std::find(dependents.begin(), dependents.end(), maker) == dependents.end()) continue;
        if (sclass == NOTIFY_ALL || sclass == maker->SuperClassID())
            maker->DeliverRefMessage(changeInt, sender, partID, message, sclass, propagate);
    }
    notifying = false;
    return REF_SUCCEED;
}

// The base cannot copy what it does not know; classes that can be cloned say so.
ReferenceTarget* ReferenceTarget::Clone(RemapDir&) { return nullptr; }

void ReferenceTarget::DeleteMe() {
    if (deleting) return;
    deleting = true;
    NotifyDependents(FOREVER, PART_ALL, REFMSG_TARGET_DELETED, NOTIFY_ALL, FALSE);
    detachDependents(this);
    DeleteAllRefsFromMe();
    DeleteThis();
}

RefTargetHandle RemapDir::FindMapping(RefTargetHandle from) {
    for (const auto& entry : entries)
        if (entry.first == from) return entry.second;
    return nullptr;
}

// A second entry for the same original replaces the first.
void RemapDir::AddEntry(RefTargetHandle from, RefTargetHandle to) {
    for (auto& entry : entries)
        if (entry.first == from) {
            entry.second = to;
            return;
        }
    entries.emplace_back(from, to);
}

RefTargetHandle RemapDir::CloneRef(RefTargetHandle oldTarg) {
    if (!oldTarg) return nullptr;
    if (RefTargetHandle mapped = FindMapping(oldTarg)) return mapped;
    RefTargetHandle copy = oldTarg->Clone(*this);
    if (copy) AddEntry(oldTarg, copy);
    return copy;
}
