#include "panel/section_list_dlg.h"
#include "object/trellis_object.h"
#include "panel/help_page.h"
#include "panel/list_buttons.h"
#include "panel/section_chooser.h"
#include "panel/section_entries.h"
#include "panel/section_moves.h"
#include "resources/resource.h"

// A procedure left on a kept rollup after its object's EndEditParams acts
// on nothing: that object may be gone.
INT_PTR SectionListDlgProc::DlgProc(TimeValue, IParamMap*, HWND hWnd, UINT msg, WPARAM wParam, LPARAM) {
    if (ob != TrellisObject::editObject) return FALSE;
    if (msg == WM_INITDIALOG) initialise(hWnd);
    if (msg == WM_COMMAND) command(LOWORD(wParam));
    return FALSE;
}

// The list box is emptied first: a rollup kept from another object of the
// class still shows that object's sections.
void SectionListDlgProc::initialise(HWND hWnd) {
    ob->hPanel = hWnd;
    ob->sectionCount = 0;
    HWND list = SectionListBox(ob);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (INode* node : ob->sectionNodes) {
        if (!node) continue;
        AddSectionEntry(list, node);
        ++ob->sectionCount;
    }
    EnableListButtons(hWnd, TrellisObject::editingEnabled);
}

void SectionListDlgProc::command(int ctrlId) {
    switch (ctrlId) {
        case IDC_ADD: AddSections(ob); break;
        case IDC_REMOVE: RemoveSelectedSection(ob); break;
        case IDC_UP: MoveSelectedSectionUp(ob); break;
        case IDC_DOWN: MoveSelectedSectionDown(ob); break;
        case IDC_HELP_BUTTON: ShowHelpPage(); break;
        default: break;
    }
}
