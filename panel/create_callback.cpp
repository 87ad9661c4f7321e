#include "panel/create_callback.h"
#include "iparamm.h"
#include "object/trellis_object.h"
#include "panel/list_buttons.h"

int TrellisCreateCallBack::proc(ViewExp* vpt, int msg, int point, int, IPoint2 m, Matrix3& mat) {
    if (msg == MOUSE_ABORT) return CREATE_ABORT;
    if ((msg == MOUSE_POINT || msg == MOUSE_MOVE) && point == 0) {
        place(vpt, m, mat);
        return CREATE_STOP;
    }
    refresh();
    return CREATE_CONTINUE;
}

// The node stands at the snapped point; the object now exists, so its list
// buttons come alive. Placing changes nothing the dependents could see.
void TrellisCreateCallBack::place(ViewExp* vpt, IPoint2 m, Matrix3& mat) {
    placedPoint = vpt->SnapPoint(m, m, nullptr, 1);
    mat.SetTrans(placedPoint);
    TrellisObject::editingEnabled = TRUE;
    if (ob) EnableListButtons(ob->hPanel, TRUE);
    if (TrellisObject::paramMap) TrellisObject::paramMap->Invalidate();
}

// Topology and geometry both, unlike the list edits' PART_TOPO.
void TrellisCreateCallBack::refresh() {
    if (ob) ob->NotifyCageEdited(PART_TOPO | PART_GEOM);
}
