#include "panel/list_in_step.h"
#include "object/trellis_object.h"
#include "panel/section_entries.h"

namespace {

bool listInStep(TrellisObject* obj, HWND list) {
    for (int i = 0; i < MAX_SECTIONS; ++i)
        if ((obj->sectionNodes[i] != nullptr) != (i < obj->sectionCount)) return false;
    return SendMessageA(list, LB_GETCOUNT, 0, 0) == obj->sectionCount;
}

// The selected entry's node, as its item data names it, while that node is
// still a section; null when it was deleted. The slots cannot tell: a
// deleted node empties its slot in place, and slots that were empty when
// the list was made (a saved scene may have such holes) have no entry.
INode* selectedNode(TrellisObject* obj, HWND list) {
    const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (sel < 0) return nullptr;
    INode* named = reinterpret_cast<INode*>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(sel), 0));
    for (INode* node : obj->sectionNodes)
        if (node && node == named) return node;
    return nullptr;
}

void closeHoles(TrellisObject* obj) {
    int filled = 0;
    for (int slot = FIRST_SECTION_REF; slot <= MAX_SECTIONS; ++slot) {
        INode* node = obj->sectionNodes[slot - FIRST_SECTION_REF];
        if (!node) continue;
        ++filled;
        if (slot == filled) continue;
        obj->ReplaceReference(filled, node, TRUE);
        obj->ReplaceReference(slot, nullptr, TRUE);
    }
}

void relist(TrellisObject* obj, HWND list, INode* selected) {
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    obj->sectionCount = 0;
    for (INode* node : obj->sectionNodes) {
        if (!node) break;  // the slots are compact now
        AddSectionEntry(list, node);
        if (node == selected) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(obj->sectionCount), 0);
        ++obj->sectionCount;
    }
}

}  // namespace

void BringListInStep(TrellisObject* obj) {
    HWND list = SectionListBox(obj);
    if (listInStep(obj, list)) return;
    INode* selected = selectedNode(obj, list);
    closeHoles(obj);
    relist(obj, list, selected);
}
