// Windows: the table of live windows, creation and destruction, relations,
// state and text, and message dispatch.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include "win32/win32_window_table.h"

namespace {

typedef std::map<HWND, std::unique_ptr<WindowRecord>> WindowTable;

// Never destroyed: statics that own windows (a host interface) may destroy
// them during the program's exit, after function-local statics are gone.
WindowTable& windowTable() {
    static WindowTable* table = new WindowTable;
    return *table;
}

// Handles are serial numbers that are never reused, so a stale handle
// stays dead. Win32 handles are table indices too, but may come back.
HWND nextHandle() {
    static std::uintptr_t next = 0x10000;
    next += 4;
    return reinterpret_cast<HWND>(next);
}

bool sameClass(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The name a window of a system class answers to GetClassNameA is the
// class's own spelling, whatever case its creator used.
std::string registeredClassName(const char* className) {
    if (!className) return "";
    for (const char* name : {"Button", "ListBox", "Static"})
        if (sameClass(className, name)) return name;
    return className;
}

// Window classes are named without regard to case, as in Win32.
ClassProc classProcFor(const std::string& className) {
    if (sameClass(className, "BUTTON")) return ButtonProc;
    if (sameClass(className, "LISTBOX")) return ListBoxProc;
    return nullptr;
}

// The window and all its descendants, every parent before its children.
void collectTree(HWND hwnd, std::vector<HWND>& out) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return;
    out.push_back(hwnd);
    const std::vector<HWND> children = w->children;
    for (HWND child : children) collectTree(child, out);
}

void detachFromParent(HWND hwnd, HWND parent) {
    WindowRecord* p = FindWindowRecord(parent);
    if (!p) return;
    p->children.erase(std::remove(p->children.begin(), p->children.end(), hwnd), p->children.end());
}

// Copies text into a caller's buffer of maxCount characters, cutting it to
// fit with its terminator; answers the characters copied.
int copyText(const std::string& text, LPSTR buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    const int n = std::min(static_cast<int>(text.size()), maxCount - 1);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

}  // namespace

WindowRecord* FindWindowRecord(HWND hwnd) {
    if (!hwnd) return nullptr;
    WindowTable& table = windowTable();
    auto it = table.find(hwnd);
    return it == table.end() ? nullptr : it->second.get();
}

HWND CreateWindowA(LPCSTR className, LPCSTR caption, DWORD style, int x, int y, int width, int height,
                   HWND parent, HMENU menuOrId, HINSTANCE, void*) {
    if (parent && !FindWindowRecord(parent)) return nullptr;
    auto w = std::make_unique<WindowRecord>();
    w->className = registeredClassName(className);
    w->caption = caption ? caption : "";
    w->id = static_cast<int>(reinterpret_cast<std::intptr_t>(menuOrId));
    w->style = style;
    w->rect.left = x;
    w->rect.top = y;
    w->rect.right = static_cast<long>(x) + width;
    w->rect.bottom = static_cast<long>(y) + height;
    w->enabled = (style & WS_DISABLED) == 0;
    w->parent = parent;
    w->classProc = classProcFor(w->className);
    HWND hwnd = nextHandle();
    windowTable()[hwnd] = std::move(w);
    if (parent) FindWindowRecord(parent)->children.push_back(hwnd);
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w || w->destroying) return FALSE;
    std::vector<HWND> doomed;
    collectTree(hwnd, doomed);
    for (HWND h : doomed) FindWindowRecord(h)->destroying = true;
    for (HWND h : doomed)
        if (FindWindowRecord(h)) SendMessageA(h, WM_DESTROY, 0, 0);
    // A WM_DESTROY handler may have made more children: they go too.
    doomed.clear();
    collectTree(hwnd, doomed);
    detachFromParent(hwnd, FindWindowRecord(hwnd)->parent);
    for (HWND h : doomed) windowTable().erase(h);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return FindWindowRecord(hwnd) ? TRUE : FALSE; }

HWND GetParent(HWND hwnd) {
    WindowRecord* w = FindWindowRecord(hwnd);
    return w ? w->parent : nullptr;
}

HWND GetWindow(HWND hwnd, UINT relation) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return nullptr;
    if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (relation != GW_HWNDNEXT) return nullptr;
    WindowRecord* p = FindWindowRecord(w->parent);
    if (!p) return nullptr;
    auto it = std::find(p->children.begin(), p->children.end(), hwnd);
    return (it == p->children.end() || ++it == p->children.end()) ? nullptr : *it;
}

HWND GetDlgItem(HWND dialog, int id) {
    WindowRecord* d = FindWindowRecord(dialog);
    if (!d) return nullptr;
    for (HWND child : d->children)
        if (FindWindowRecord(child)->id == id) return child;
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    WindowRecord* w = FindWindowRecord(hwnd);
    return w ? w->id : 0;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    const BOOL wasDisabled = w->enabled ? FALSE : TRUE;
    w->enabled = enable != FALSE;
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    WindowRecord* w = FindWindowRecord(hwnd);
    return (w && w->enabled) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int maxCount) {
    WindowRecord* w = FindWindowRecord(hwnd);
    return copyText(w ? w->caption : std::string(), buffer, maxCount);
}

int GetWindowTextLengthA(HWND hwnd) {
    WindowRecord* w = FindWindowRecord(hwnd);
    return w ? static_cast<int>(w->caption.size()) : 0;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    w->caption = text ? text : "";
    return TRUE;
}

int GetClassNameA(HWND hwnd, LPSTR buffer, int maxCount) {
    WindowRecord* w = FindWindowRecord(hwnd);
    return copyText(w ? w->className : std::string(), buffer, maxCount);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w || !rect) return FALSE;
    *rect = w->rect;
    return TRUE;
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return 0;
    switch (index) {
        case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
        case GWL_ID: return w->id;
        case GWLP_USERDATA: return w->userData;
        default: return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w || index != GWLP_USERDATA) return 0;
    const LONG_PTR previous = w->userData;
    w->userData = value;
    return previous;
}

// A dialog's answer is its dialog procedure's (the stand-in keeps no
// DWLP_MSGRESULT); a control answers through its class.
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return 0;
    if (w->dialogProc) return w->dialogProc(hwnd, msg, wParam, lParam);
    if (w->classProc) return w->classProc(hwnd, msg, wParam, lParam);
    return 0;
}

void NotifyParent(HWND control, WORD code) {
    WindowRecord* w = FindWindowRecord(control);
    if (!w) return;
    SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), reinterpret_cast<LPARAM>(control));
}
