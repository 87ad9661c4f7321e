// The host's windows that plug-ins see: the main window and the command
// panel with its rollup pages. Each host interface owns one set, made on
// first use and destroyed with the interface.
#pragma once
#include <string>
#include <vector>
#include "win32.h"

struct RollupPage {
    std::string title;
    HWND hwnd = nullptr;
};

class HostFrame {
public:
    HostFrame() = default;
    HostFrame(const HostFrame&) = delete;
    HostFrame& operator=(const HostFrame&) = delete;
    // Destroys the main window and with it the command panel and every
    // rollup still open (their procedures get WM_DESTROY).
    ~HostFrame();

    HWND MainWindow();
    // A rollup of the module's dialog template, appended below the open
    // ones; null when the dialog cannot be made.
    HWND AddRollupPage(HINSTANCE module, int dlgTemplate, DLGPROC proc, const char* title, LPARAM param);
    // Destroys the rollup window; an unknown handle changes nothing.
    void DeleteRollupPage(HWND hRollup);
    const std::vector<RollupPage>& Rollups() const { return rollups; }

private:
    HWND commandPanel();
    HWND mainWindow = nullptr;
    HWND panelWindow = nullptr;
    std::vector<RollupPage> rollups;
};
