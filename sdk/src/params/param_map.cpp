// Parameter maps of the command panel.
#include "iparamm.h"
#include "maxapi.h"

ParamUIDesc::ParamUIDesc(int paramIndex, ControlType controlType, int* ids, int count, int* values)
    : index(paramIndex), type(controlType) {
    for (int k = 0; ids && k < count; ++k) {
        ctrlIds.push_back(ids[k]);
        if (values) vals.push_back(values[k]);
    }
}

namespace {

// The map references its block, as the host's maps do: the block's changes
// redraw the controls, and a block whose object is gone stays alive while a
// kept rollup still shows it (the map's release then deletes it).
class ParamMap final : public IParamMap, public ReferenceMaker {
public:
    ParamMap(ParamUIDesc* desc, int count, IObjParam* host, IParamBlock* pb) : ip(host) {
        for (int i = 0; desc && i < count; ++i) descs.push_back(desc[i]);
        MakeRefByID(FOREVER, 0, pb);
    }
    ~ParamMap() override { DeleteAllRefsFromMe(); }

    bool open(HINSTANCE hInst, int dlgTemplateId, const char* title) {
        hwnd = ip->AddRollupPage(hInst, dlgTemplateId, dialogProc, title, reinterpret_cast<LPARAM>(this));
        return hwnd != nullptr;
    }
    // The procedure goes first, so the rollup's WM_DESTROY reaches no one.
    void close() {
        dropUserProc(nullptr);
        ip->DeleteRollupPage(hwnd);
    }

    void Invalidate() override;
    void SetParamBlock(IParamBlock* pb) override {
        ReplaceReference(0, pb, TRUE);
        Invalidate();
    }
    IParamBlock* GetParamBlock() override { return pblock; }
    void SetUserDlgProc(ParamMapUserDlgProc* proc) override {
        dropUserProc(proc);
        if (proc) proc->DlgProc(ip->GetTime(), this, hwnd, WM_INITDIALOG, 0, 0);
    }
    ParamMapUserDlgProc* GetUserDlgProc() override { return userProc; }
    HWND GetHWnd() override { return hwnd; }

    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int) override { return pblock; }
    void SetReference(int, RefTargetHandle target) override { pblock = static_cast<IParamBlock*>(target); }
    RefResult NotifyRefChanged(Interval, RefTargetHandle, PartID&, RefMessage message) override {
        if (message == REFMSG_CHANGE) Invalidate();
        return REF_SUCCEED;
    }

private:
    static INT_PTR CALLBACK dialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void applyClick(int ctrlId);
    void showValue(const ParamUIDesc& desc, TimeValue t);
    bool maps(const ParamUIDesc& desc) const {
        return desc.type == TYPE_RADIO && pblock && desc.index >= 0 && desc.index < pblock->NumParams();
    }
    void dropUserProc(ParamMapUserDlgProc* next) {
        ParamMapUserDlgProc* previous = userProc;
        userProc = next;
        if (previous && previous != next) previous->DeleteThis();
    }

    std::vector<ParamUIDesc> descs;
    IObjParam* ip;
    IParamBlock* pblock = nullptr;
    ParamMapUserDlgProc* userProc = nullptr;
    HWND hwnd = nullptr;
};

void ParamMap::Invalidate() {
    const TimeValue t = ip->GetTime();
    for (const ParamUIDesc& desc : descs)
        if (maps(desc)) showValue(desc, t);
    if (userProc) userProc->Update(t);
}

void ParamMap::showValue(const ParamUIDesc& desc, TimeValue t) {
    int value = 0;
    Interval valid = FOREVER;
    pblock->GetValue(desc.index, t, value, valid);
    for (std::size_t k = 0; k < desc.ctrlIds.size(); ++k) {
        const bool chosen = desc.ValueOf(static_cast<int>(k)) == value;
        SendMessageA(GetDlgItem(hwnd, desc.ctrlIds[k]), BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void ParamMap::applyClick(int ctrlId) {
    for (const ParamUIDesc& desc : descs) {
        if (!maps(desc)) continue;
        for (std::size_t k = 0; k < desc.ctrlIds.size(); ++k)
            if (static_cast<WORD>(desc.ctrlIds[k]) == static_cast<WORD>(ctrlId))
                pblock->SetValue(desc.index, ip->GetTime(), desc.ValueOf(static_cast<int>(k)));
    }
}

// The map's own work first (a radio click sets its parameter), then the
// user procedure sees the message. Nothing of the map is touched after the
// user procedure, which may destroy it.
INT_PTR ParamMap::handleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) applyClick(LOWORD(wParam));
    if (!userProc) return FALSE;
    return userProc->DlgProc(ip->GetTime(), this, hWnd, msg, wParam, lParam);
}

// The map travels to its rollup in WM_INITDIALOG and lives in the window's user data.
INT_PTR CALLBACK ParamMap::dialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrA(hWnd, GWLP_USERDATA, lParam);
    ParamMap* map = reinterpret_cast<ParamMap*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    return map ? map->handleMessage(hWnd, msg, wParam, lParam) : FALSE;
}

}  // namespace

IParamMap* CreateCPParamMap(ParamUIDesc* desc, int count, IParamBlock* pb, IObjParam* ip, HINSTANCE hInst,
                            int dlgTemplateId, const char* title, DWORD) {
    if (!ip) return nullptr;
    ParamMap* map = new ParamMap(desc, count, ip, pb);
    if (!map->open(hInst, dlgTemplateId, title)) {
        delete map;
        return nullptr;
    }
    map->Invalidate();
    return map;
}

void DestroyCPParamMap(IParamMap* map) {
    ParamMap* own = static_cast<ParamMap*>(map);
    if (!own) return;
    own->close();
    delete own;
}
