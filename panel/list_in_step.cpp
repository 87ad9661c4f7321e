#include "panel/list_in_step.h"
#include "object/trellis_object.h"
#include "panel/section_entries.h"

namespace {

bool listInStep(TrellisObject* obj, HWND list) {
    for (int i = 0; i < MAX_SECTIONS; ++i)
        if ((obj->sectionNodes[i] != nullptr) != (i < obj->sectionCount)) return false;
    return SendMessageA(list, LB_GETCOUNT, 0, 0) == obj->sectionCount;
}

// Entries never move when their node goes, so the selected entry i still
// stands for slot i + 1: its node, or null when that node was deleted.
INode* selectedNode(TrellisObject* obj, HWND list) {
    const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    return (sel >= 0 && sel < MAX_SECTIONS) ? obj->sectionNodes[sel] : nullptr;
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
