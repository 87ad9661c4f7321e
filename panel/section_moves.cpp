#include "panel/section_moves.h"
#include "object/trellis_object.h"
#include "panel/list_in_step.h"
#include "panel/section_entries.h"

namespace {

int selectedEntry(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

// Slots are numbered from 1: slot s holds sectionNodes[s - 1].
INode* nodeInSlot(TrellisObject* obj, int slot) { return obj->sectionNodes[slot - FIRST_SECTION_REF]; }

// On a full list the last step reads slot 101, the first reserved slot,
// which is always empty: slot 100 empties.
void removeEntry(TrellisObject* obj, HWND list, int sel) {
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(sel), 0);
    for (int i = sel; i < obj->sectionCount; ++i)
        obj->ReplaceReference(i + 1, obj->GetReference(i + 2), TRUE);
    --obj->sectionCount;
}

// A is the entry above the selected B: the two trade slots, then A's
// entry moves below B's, which stays selected.
void moveUp(TrellisObject* obj, HWND list, int sel) {
    INode* a = nodeInSlot(obj, sel);
    INode* b = nodeInSlot(obj, sel + 1);
    obj->ReplaceReference(sel, b, TRUE);
    obj->ReplaceReference(sel + 1, a, TRUE);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(sel - 1), 0);
    InsertSectionEntry(list, sel, a);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(sel - 1), 0);
}

// N is the entry below the selected B: the two trade slots, then N's entry
// moves above B's, which stays selected.
void moveDown(TrellisObject* obj, HWND list, int sel) {
    INode* n = nodeInSlot(obj, sel + 2);
    INode* b = nodeInSlot(obj, sel + 1);
    obj->ReplaceReference(sel + 2, b, TRUE);
    obj->ReplaceReference(sel + 1, n, TRUE);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(sel + 1), 0);
    InsertSectionEntry(list, sel, n);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(sel + 1), 0);
}

}  // namespace

void RemoveSelectedSection(TrellisObject* obj) {
    BringListInStep(obj);
    HWND list = SectionListBox(obj);
    const int sel = selectedEntry(list);
    if (sel >= 0 && sel < obj->sectionCount) removeEntry(obj, list, sel);
    obj->NotifyCageEdited();
}

void MoveSelectedSectionUp(TrellisObject* obj) {
    BringListInStep(obj);
    HWND list = SectionListBox(obj);
    const int sel = selectedEntry(list);
    if (sel > 0 && sel < obj->sectionCount) moveUp(obj, list, sel);
    obj->NotifyCageEdited();
}

void MoveSelectedSectionDown(TrellisObject* obj) {
    BringListInStep(obj);
    HWND list = SectionListBox(obj);
    const int sel = selectedEntry(list);
    if (sel >= 0 && sel + 1 < obj->sectionCount) moveDown(obj, list, sel);
    obj->NotifyCageEdited();
}
