// The host application's interface as plug-ins see it.
#pragma once
#include "maxtypes.h"
#include "scene.h"

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
    virtual HWND GetMAXHWnd() { return mainWindow; }
    // The host's select-by-name dialog; see the stand-in's host for how a choice is made.
    virtual int DoHitByNameDialog(HitByNameDlgCallback* ent = nullptr);

    // The scene the host is working on (the stand-in's host owns one).
    Scene& GetScene() { return scene; }

protected:
    HWND mainWindow = nullptr;

private:
    TimeValue currentTime = 0;
    Scene scene;
};

class IObjParam : public Interface {};

// The running host's interface.
IObjParam* GetCOREInterface();
