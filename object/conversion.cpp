// Conversion into the host's editable spline object: a snapshot of the cage.
#include "object/trellis_object.h"

int TrellisObject::CanConvertToType(Class_ID obtype) {
    if (obtype == splineShapeClassID) return 1;
    if (obtype == genericShapeClassID) return 1;
    if (Object::CanConvertToType(obtype)) return 1;
    return CanConvertTriObject(obtype) ? 1 : 0;
}

Object* TrellisObject::ConvertToType(TimeValue t, Class_ID obtype) {
    if (obtype == splineShapeClassID || obtype == defObjectClassID || obtype == genericShapeClassID) {
        checkCache(t);
        SplineShape* splineShape = new SplineShape();
        // Copying the base data must leave no undo record.
        theHold.Suspend();
        splineShape->CopyBaseData(*this);
        theHold.Resume();
        splineShape->shape = shape;
        splineShape->SetChannelValidity(TOPO_CHAN_NUM, ObjectValidity(t));
        splineShape->SetChannelValidity(GEOM_CHAN_NUM, ObjectValidity(t));
        return splineShape;
    }
    if (Object::CanConvertToType(obtype)) return Object::ConvertToType(t, obtype);
    return nullptr;
}

void TrellisObject::GetCollapseTypes(Tab<Class_ID>& clist, Tab<TSTR*>& nlist) {
    Object::GetCollapseTypes(clist, nlist);
}
