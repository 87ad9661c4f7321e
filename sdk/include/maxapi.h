// The host application's interface as plug-ins see it.
#pragma once
#include "maxtypes.h"
#include "scene.h"
#include "cmdpanel.h"

class HitByNameDlgCallback;

class Interface {
public:
    Interface() = default;
    Interface(const Interface&) = delete;
    Interface& operator=(const Interface&) = delete;
    virtual ~Interface() = default;

    // The current animation time.
    virtual TimeValue GetTime() { return currentTime; }
    virtual void SetTime(TimeValue t) { currentTime = t; }
    // A host that sets mainWindow answers it; otherwise the frame's own main window.
    virtual HWND GetMAXHWnd() { return mainWindow ? mainWindow : frame.MainWindow(); }
    // The host's select-by-name dialog; see the stand-in's host for how a choice is made.
    virtual int DoHitByNameDialog(HitByNameDlgCallback* ent = nullptr);

    // The scene the host is working on (the stand-in's host owns one).
    Scene& GetScene() { return scene; }

    // Rollup pages of the command panel (dialogs of a module's templates).
    virtual HWND AddRollupPage(HINSTANCE hInst, int dlgTemplate, DLGPROC dlgProc, const char* title,
                               LPARAM param = 0) {
        return frame.AddRollupPage(hInst, dlgTemplate, dlgProc, title, param);
    }
    virtual void DeleteRollupPage(HWND hRollup) { frame.DeleteRollupPage(hRollup); }
    // The open rollups, top to bottom, with their titles.
    const std::vector<RollupPage>& GetRollups() const { return frame.Rollups(); }

protected:
    HWND mainWindow = nullptr;

private:
    TimeValue currentTime = 0;
    Scene scene;
    HostFrame frame;
};

class IObjParam : public Interface {};

// The running host's interface.
IObjParam* GetCOREInterface();
