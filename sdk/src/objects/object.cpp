// The base object: validity, channel validity, conversion to its own class,
// the class ids of the host's own object classes, and the host's mesh object.
#include "object.h"
#include "splshape.h"

// Small distinct values of the stand-in's choosing; only their identity matters.
const Class_ID triObjectClassID(0x09, 0);
const Class_ID splineShapeClassID(0x0a, 0);
const Class_ID genericShapeClassID(0x0b, 0);
const Class_ID defObjectClassID(0x0c, 0);
const Class_ID patchObjectClassID(0x0d, 0);
const Class_ID linearShapeClassID(0x0e, 0);
const Class_ID mapObjectClassID(0x0f, 0);

// The classes the host's mesh object turns into: itself, the generic
// deformable object, patches and mapping objects.
BOOL CanConvertTriObject(Class_ID obtype) {
    return obtype == triObjectClassID || obtype == defObjectClassID || obtype == patchObjectClassID ||
                   obtype == mapObjectClassID
               ? TRUE
               : FALSE;
}

// Nothing is cached when the object is made.
Object::Object() {
    for (Interval& v : channelValidity) v = NEVER;
}

Interval Object::ObjectValidity(TimeValue) { return FOREVER; }

int Object::CanConvertToType(Class_ID obtype) { return obtype == ClassID() ? 1 : 0; }

Object* Object::ConvertToType(TimeValue, Class_ID obtype) { return obtype == ClassID() ? this : nullptr; }

void Object::GetCollapseTypes(Tab<Class_ID>&, Tab<TSTR*>&) {}

static bool channelInRange(int nchan) { return nchan >= 0 && nchan < NUM_OBJ_CHANS; }

void Object::SetChannelValidity(int nchan, Interval v) {
    if (channelInRange(nchan)) channelValidity[nchan] = v;
}

// An unknown channel is valid never.
Interval Object::ChannelValidity(TimeValue, int nchan) const {
    return channelInRange(nchan) ? channelValidity[nchan] : NEVER;
}

// The mesh object: in the stand-in only its vertices, enough to be a
// non-shape object that nodes can hold and clone.
ReferenceTarget* TriObject::Clone(RemapDir& remap) {
    TriObject* copy = new TriObject;
    copy->verts = verts;
    BaseClone(this, copy, remap);
    return copy;
}
