// Dialogs made from a module's dialog templates.
#include "win32/win32_window_table.h"

namespace {

// Controls are children whatever their template says; the id travels as
// the child's menu handle, as in Win32, and as wide as the template holds it.
HWND createControl(const DialogControl& c, bool extended, HWND dialog, HINSTANCE module) {
    const std::intptr_t id = extended ? c.id : static_cast<WORD>(c.id);
    return CreateWindowA(c.windowClass.c_str(), c.caption.c_str(), c.style | WS_CHILD, c.x, c.y, c.cx, c.cy,
                         dialog, reinterpret_cast<HMENU>(id), module, nullptr);
}

// The control that would take the keyboard focus first.
HWND firstTabStop(HWND dialog) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetWindowLongPtrA(c, GWL_STYLE) & WS_TABSTOP) return c;
    return nullptr;
}

}  // namespace

HWND CreateDialogParamA(HINSTANCE module, int templateId, HWND parent, DLGPROC proc, LPARAM param) {
    const ModuleResources* resources = FindModuleResources(module);
    if (!resources) return nullptr;
    auto found = resources->dialogs.find(templateId);
    if (found == resources->dialogs.end()) return nullptr;
    const DialogTemplate& t = found->second;
    HWND dialog = CreateWindowA("#32770", t.caption.c_str(), t.style, t.x, t.y, t.cx, t.cy, parent, nullptr,
                                module, nullptr);
    if (!dialog) return nullptr;
    for (const DialogControl& c : t.controls) createControl(c, t.extended, dialog, module);
    FindWindowRecord(dialog)->dialogProc = proc;
    if (proc) SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop(dialog)), param);
    return IsWindow(dialog) ? dialog : nullptr;
}
