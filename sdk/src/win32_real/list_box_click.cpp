// A user's click on a list entry, on the system's list box.
#include "win32.h"

namespace {

bool isListBox(HWND hwnd) {
    char name[16] = {};
    return GetClassNameA(hwnd, name, static_cast<int>(sizeof name)) > 0 && lstrcmpiA(name, "ListBox") == 0;
}

}  // namespace

BOOL ListBoxSelect(HWND listBox, int index) {
    if (!isListBox(listBox) || !IsWindowEnabled(listBox) || index < 0) return FALSE;
    const LRESULT count = SendMessageA(listBox, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR || index >= count) return FALSE;
    if (SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(index), 0) == LB_ERR) return FALSE;
    if (GetWindowLongPtrA(listBox, GWL_STYLE) & LBS_NOTIFY)
        SendMessageA(GetParent(listBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(listBox), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(listBox));
    return TRUE;
}
