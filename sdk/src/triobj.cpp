// The mesh object: in the stand-in only its vertices, enough to be a
// non-shape object that nodes can hold and clone.
#include "splshape.h"

ReferenceTarget* TriObject::Clone(RemapDir& remap) {
    TriObject* copy = new TriObject;
    copy->verts = verts;
    BaseClone(this, copy, remap);
    return copy;
}
