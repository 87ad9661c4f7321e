// The host application's interface, one for the process, and the frame it
// owns: the main window and the command panel with its rollup pages.
#include "maxapi.h"
#include <algorithm>
#include "cmdpanel.h"
#include "hitbyname.h"

// The dialog over this host's scene, played by the installed responder.
int Interface::DoHitByNameDialog(HitByNameDlgCallback* ent) { return RunHitByNameDialog(scene, ent); }

// One interface for the whole process, made on first use.
IObjParam* GetCOREInterface() {
    static IObjParam theInterface;
    return &theInterface;
}

HostFrame::~HostFrame() { DestroyWindow(mainWindow); }

HWND HostFrame::MainWindow() {
    if (!IsWindow(mainWindow)) mainWindow = CreateWindowA("MAXMainWindow", "3ds Max", 0, 0, 0, 1280, 1024,
                                                          nullptr, nullptr, nullptr, nullptr);
    return mainWindow;
}

HWND HostFrame::commandPanel() {
    if (!IsWindow(panelWindow)) panelWindow = CreateWindowA("CommandPanel", "", WS_CHILD | WS_VISIBLE, 0, 0,
                                                            0, 0, MainWindow(), nullptr, nullptr, nullptr);
    return panelWindow;
}

HWND HostFrame::AddRollupPage(HINSTANCE module, int dlgTemplate, DLGPROC proc, const char* title, LPARAM param) {
    HWND page = CreateDialogParamA(module, dlgTemplate, commandPanel(), proc, param);
    if (page) rollups.push_back(RollupPage{title ? title : "", page});
    return page;
}

void HostFrame::DeleteRollupPage(HWND hRollup) {
    auto it = std::find_if(rollups.begin(), rollups.end(), [&](const RollupPage& r) { return r.hwnd == hRollup; });
    if (it == rollups.end()) return;
    rollups.erase(it);
    DestroyWindow(hRollup);
}
