// What the object asks of the panel's class-wide state.
#include "object/trellis_object.h"

TrellisObject* TrellisObject::editObject = nullptr;

void TrellisObject::redrawPanelIfEdited() {}
