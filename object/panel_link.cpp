// What the object asks of the panel's class-wide state.
#include "object/trellis_object.h"
#include "iparamm.h"

TrellisObject* TrellisObject::editObject = nullptr;

// The radio group shows "SplineType" as the changed object now has it.
void TrellisObject::redrawPanelIfEdited() {
    if (editObject == this && paramMap) paramMap->Invalidate();
}
