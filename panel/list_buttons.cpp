#include "panel/list_buttons.h"
#include "resources/resource.h"

void EnableListButtons(HWND panel, BOOL enable) {
    for (int id : {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN}) EnableWindow(GetDlgItem(panel, id), enable);
}
