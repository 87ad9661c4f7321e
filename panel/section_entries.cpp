#include "panel/section_entries.h"
#include <cstring>
#include "object/trellis_object.h"
#include "resources/resource.h"

namespace {

// Longer names are cut, never overrun the buffer.
void copyName(INode* node, char (&name)[SECTION_NAME_BUFFER]) {
    const char* full = node->GetName();
    std::strncpy(name, full ? full : "", SECTION_NAME_BUFFER - 1);
    name[SECTION_NAME_BUFFER - 1] = '\0';
}

// Each entry keeps its node as its item data: the list box then says which
// node an entry stands for even when the slots no longer line up with it.
void keepNode(HWND list, LRESULT entry, INode* node) {
    if (entry >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(node));
}

}  // namespace

HWND SectionListBox(TrellisObject* obj) { return GetDlgItem(obj->hPanel, IDC_SECTION_LIST); }

void AddSectionEntry(HWND list, INode* node) {
    char name[SECTION_NAME_BUFFER];
    copyName(node, name);
    keepNode(list, SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name)), node);
}

void InsertSectionEntry(HWND list, int index, INode* node) {
    char name[SECTION_NAME_BUFFER];
    copyName(node, name);
    keepNode(list, SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name)), node);
}
