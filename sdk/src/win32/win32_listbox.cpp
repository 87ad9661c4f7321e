// The "LISTBOX" class: a single-selection list of strings, each with a
// value of the caller's, with Win32's results and its rules for keeping the
// selection on the same entry.
#include <algorithm>
#include <cstring>
#include <strings.h>
#include "win32/win32_window_table.h"

namespace {

int entryCount(const WindowRecord& w) { return static_cast<int>(w.items.size()); }
bool isEntry(const WindowRecord& w, int index) { return index >= 0 && index < entryCount(w); }
std::string textOf(LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    return text ? text : "";
}

// Where LB_ADDSTRING puts an entry: the end, or with LBS_SORT the place
// that keeps the entries in order. The stand-in orders without regard to
// case by the C locale; the host's list boxes use the user's locale.
int addPosition(const WindowRecord& w, const std::string& text) {
    if (!(w.style & LBS_SORT)) return entryCount(w);
    auto after = std::upper_bound(w.items.begin(), w.items.end(), text,
                                  [](const std::string& a, const std::string& b) {
                                      return strcasecmp(a.c_str(), b.c_str()) < 0;
                                  });
    return static_cast<int>(after - w.items.begin());
}

// An entry inserted at or above the selection pushes it down one.
LRESULT insertAt(WindowRecord& w, int index, const std::string& text) {
    w.items.insert(w.items.begin() + index, text);
    w.itemData.insert(w.itemData.begin() + index, 0);
    if (w.selection >= index) ++w.selection;
    return index;
}

// Deleting the selected entry leaves no selection; deleting one above it
// moves it up one.
LRESULT deleteAt(WindowRecord& w, int index) {
    if (!isEntry(w, index)) return LB_ERR;
    w.items.erase(w.items.begin() + index);
    w.itemData.erase(w.itemData.begin() + index);
    if (w.selection == index)
        w.selection = -1;
    else if (w.selection > index)
        --w.selection;
    return entryCount(w);
}

// -1 clears the selection and, as in Win32, still answers LB_ERR; so does
// an index outside the entries, which leaves nothing selected.
LRESULT setSelection(WindowRecord& w, int index) {
    w.selection = isEntry(w, index) ? index : -1;
    return w.selection < 0 ? LB_ERR : index;
}

// The caller's buffer must hold LB_GETTEXTLEN characters and a terminator.
LRESULT copyEntry(const WindowRecord& w, int index, LPARAM buffer) {
    char* out = reinterpret_cast<char*>(buffer);
    if (!isEntry(w, index) || !out) return LB_ERR;
    const std::string& text = w.items[index];
    std::memcpy(out, text.c_str(), text.size() + 1);
    return static_cast<LRESULT>(text.size());
}

int indexArg(WPARAM wParam) { return static_cast<int>(static_cast<std::intptr_t>(wParam)); }

}  // namespace

LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return 0;
    const int index = indexArg(wParam);
    switch (msg) {
        case LB_ADDSTRING: return insertAt(*w, addPosition(*w, textOf(lParam)), textOf(lParam));
        case LB_INSERTSTRING:
            if (index < -1 || index > entryCount(*w)) return LB_ERR;
            return insertAt(*w, index == -1 ? entryCount(*w) : index, textOf(lParam));
        case LB_DELETESTRING: return deleteAt(*w, index);
        case LB_RESETCONTENT:
            w->items.clear();
            w->itemData.clear();
            w->selection = -1;
            return 0;
        case LB_SETCURSEL: return setSelection(*w, index);
        case LB_GETCURSEL: return w->selection < 0 ? LB_ERR : w->selection;
        case LB_GETTEXT: return copyEntry(*w, index, lParam);
        case LB_GETTEXTLEN: return isEntry(*w, index) ? static_cast<LRESULT>(w->items[index].size()) : LB_ERR;
        case LB_GETCOUNT: return entryCount(*w);
        case LB_SETITEMDATA:
            if (!isEntry(*w, index)) return LB_ERR;
            w->itemData[index] = static_cast<LRESULT>(lParam);
            return TRUE;
        case LB_GETITEMDATA: return isEntry(*w, index) ? w->itemData[index] : LB_ERR;
        default: return 0;
    }
}

BOOL ListBoxSelect(HWND listBox, int index) {
    WindowRecord* w = FindWindowRecord(listBox);
    if (!w || w->classProc != ListBoxProc || !w->enabled || !isEntry(*w, index)) return FALSE;
    w->selection = index;
    if (w->style & LBS_NOTIFY) NotifyParent(listBox, LBN_SELCHANGE);
    return TRUE;
}
