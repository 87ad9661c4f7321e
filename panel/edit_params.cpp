// Opening and closing the trellis object's rollup, and its creation callback.
#include <new>
#include "iparamm.h"
#include "object/trellis_object.h"
#include "panel/create_callback.h"
#include "panel/param_ui.h"
#include "panel/section_list_dlg.h"
#include "plugin/get_string.h"
#include "plugin/module_handle.h"
#include "resources/resource.h"

IObjParam* TrellisObject::editInterface = nullptr;
IParamMap* TrellisObject::paramMap = nullptr;
BOOL TrellisObject::editingEnabled = FALSE;
TrellisCreateCallBack TrellisObject::createCallBack;

// The list buttons stay disabled while the object is being created, until
// the placing click. A rollup kept from another object of the class is
// pointed at this object's block instead of being made again.
void TrellisObject::BeginEditParams(IObjParam* ip, ULONG flags, Animatable* prev) {
    ShapeObject::BeginEditParams(ip, flags, prev);
    editObject = this;
    editInterface = ip;
    editingEnabled = (flags & BEGIN_EDIT_CREATE) ? FALSE : TRUE;
    if (paramMap)
        paramMap->SetParamBlock(pblock);
    else
        paramMap = CreateCPParamMap(splineTypeUI, 1, pblock, ip, hInstance, IDD_TRELLIS_PANEL,
                                    GetString(IDS_PARAMETERS), 0);
    // Without a procedure the radio group still works and the list does nothing.
    if (paramMap) paramMap->SetUserDlgProc(new (std::nothrow) SectionListDlgProc(this));
}

// Without END_EDIT_REMOVEUI the host keeps the rollup for the next object of the class.
void TrellisObject::EndEditParams(IObjParam* ip, ULONG flags, Animatable* next) {
    ShapeObject::EndEditParams(ip, flags, next);
    editInterface = nullptr;
    editObject = nullptr;
    if (flags & END_EDIT_REMOVEUI) {
        DestroyCPParamMap(paramMap);
        paramMap = nullptr;
    }
}

CreateMouseCallBack* TrellisObject::GetCreateMouseCallBack() {
    createCallBack.ob = this;
    return &createCallBack;
}
