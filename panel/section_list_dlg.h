// The section list of the rollup: list box 1032 with "Add", "Remove", "Up"
// and "Down", and the "Help" button at the foot of the rollup.
#pragma once
#include "iparamm.h"

class TrellisObject;

class SectionListDlgProc : public ParamMapUserDlgProc {
public:
    explicit SectionListDlgProc(TrellisObject* o) : ob(o) {}
    // Acts on WM_INITDIALOG and on the buttons' WM_COMMAND (whatever the
    // notification code); answers FALSE to every message, so the map's own
    // handling always goes on.
    INT_PTR DlgProc(TimeValue t, IParamMap* map, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DeleteThis() override { delete this; }

    TrellisObject* ob;  // not owned

private:
    void initialise(HWND hWnd);
    void command(int ctrlId);
};
