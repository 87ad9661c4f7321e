// Parameter maps: a rollup in the command panel whose controls the host
// keeps in step with the parameters of a parameter block, both ways.
// The stand-in maps radio groups only (the one kind of control its
// plug-ins use); descriptions of other kinds are kept and left alone.
#pragma once
#include <vector>
#include "maxtypes.h"
#include "iparamb.h"
#include "win32.h"

class IObjParam;
class IParamMap;

enum ControlType { TYPE_SPINNER, TYPE_RADIO, TYPE_SINGLECHEKBOX, TYPE_MULTICHEKBOX, TYPE_COLORSWATCH };

// One mapped parameter and its controls.
class ParamUIDesc {
public:
    // A radio group: button k of ctrlIds stands for vals[k], or for k
    // without a value table.
    ParamUIDesc(int paramIndex, ControlType type, int* ctrlIds, int count, int* vals = nullptr);

    int index;
    ControlType type;
    std::vector<int> ctrlIds;
    std::vector<int> vals;
    // The value button k stands for.
    int ValueOf(int k) const { return vals.empty() ? k : vals[k]; }
};

// The plug-in's own handling of the rollup's messages, next to the map's.
class ParamMapUserDlgProc {
public:
    virtual ~ParamMapUserDlgProc() = default;
    virtual INT_PTR DlgProc(TimeValue t, IParamMap* map, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    virtual void DeleteThis() = 0;
    // Called after the map has redrawn its controls.
    virtual void Update(TimeValue) {}
};

class IParamMap {
public:
    // Re-reads the parameters at the host's current time and redraws the
    // controls, then calls the user procedure's Update. A radio group whose
    // value matches none of its buttons shows none checked.
    virtual void Invalidate() = 0;
    // Points the map at another block (null allowed: the controls then do
    // nothing) and redraws.
    virtual void SetParamBlock(IParamBlock* pb) = 0;
    virtual IParamBlock* GetParamBlock() = 0;
    // Installs proc (null: none), drops the previous one through its
    // DeleteThis, and sends the new one WM_INITDIALOG for the rollup window.
    virtual void SetUserDlgProc(ParamMapUserDlgProc* proc = nullptr) = 0;
    virtual ParamMapUserDlgProc* GetUserDlgProc() = 0;
    virtual HWND GetHWnd() = 0;

protected:
    virtual ~IParamMap() = default;
};

// Makes the rollup of the module's dialog template in ip's command panel,
// titled title, and maps desc[0..count) onto pb. A click on a radio button
// sets its parameter at ip's current time; every message of the rollup then
// goes on to the user procedure with that time. Null when ip is null or the
// dialog cannot be made. flags are accepted and unused.
IParamMap* CreateCPParamMap(ParamUIDesc* desc, int count, IParamBlock* pb, IObjParam* ip, HINSTANCE hInst,
                            int dlgTemplateId, const char* title, DWORD flags);
// Drops the user procedure through its DeleteThis, removes the rollup from
// the command panel and destroys the map. A null map is ignored.
void DestroyCPParamMap(IParamMap* map);
