// The "BUTTON" class: push buttons, check boxes, radio buttons and group boxes.
#include <algorithm>
#include "win32/win32_window_table.h"

namespace {

// Button kinds: the low four bits of the style (Win32 values).
const DWORD kTypeMask = 0xF;
const DWORD kCheckBox = 0x2;
const DWORD kAutoCheckBox = 0x3;
const DWORD kRadioButton = 0x4;

DWORD buttonType(const WindowRecord& w) { return w.style & kTypeMask; }

bool holdsCheck(DWORD type) {
    return type == kCheckBox || type == kAutoCheckBox || type == kRadioButton || type == BS_AUTORADIOBUTTON;
}

// The siblings of the button's group: from the nearest control at or before
// it with WS_GROUP (or the first control) up to the next one with WS_GROUP.
std::vector<HWND> groupOf(HWND button) {
    WindowRecord* parent = FindWindowRecord(GetParent(button));
    if (!parent) return {button};
    const std::vector<HWND>& siblings = parent->children;
    const auto at = std::find(siblings.begin(), siblings.end(), button) - siblings.begin();
    auto startsGroup = [&](std::ptrdiff_t i) { return (FindWindowRecord(siblings[i])->style & WS_GROUP) != 0; };
    std::ptrdiff_t first = at;
    while (first > 0 && !startsGroup(first)) --first;
    std::ptrdiff_t end = at + 1;
    while (end < static_cast<std::ptrdiff_t>(siblings.size()) && !startsGroup(end)) ++end;
    return std::vector<HWND>(siblings.begin() + first, siblings.begin() + end);
}

// An automatic radio button checks itself and unchecks the others of its group.
void checkInGroup(HWND button) {
    for (HWND sibling : groupOf(button)) {
        WindowRecord* s = FindWindowRecord(sibling);
        if (buttonType(*s) == BS_AUTORADIOBUTTON) s->checkState = sibling == button ? BST_CHECKED : BST_UNCHECKED;
    }
}

// What BM_CLICK does: the button's own state changes before its parent
// hears of the click. A disabled button too: BM_CLICK is a message, not the
// mouse, and Win32 acts on it whatever the button's state, so only the
// sender can keep to what a user could click. The stand-in's group box
// ignores it (wine's tells the parent of a click; nothing clicks one).
LRESULT click(HWND hwnd, WindowRecord& w) {
    const DWORD type = buttonType(w);
    if (type == BS_GROUPBOX) return 0;
    if (type == BS_AUTORADIOBUTTON) checkInGroup(hwnd);
    if (type == kAutoCheckBox) w.checkState = w.checkState == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    NotifyParent(hwnd, BN_CLICKED);
    return 0;
}

}  // namespace

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return 0;
    switch (msg) {
        case BM_CLICK: return click(hwnd, *w);
        case BM_GETCHECK: return static_cast<LRESULT>(w->checkState);
        case BM_SETCHECK:
            if (holdsCheck(buttonType(*w))) w->checkState = wParam == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
            return 0;
        default: return 0;
    }
}
