// Drawing, hit testing, snapping and bounding boxes of the cached cage.
#include "object/trellis_object.h"

// Pick tolerance of a hit test, in pixels.
static const int kPickTolerance = 4;

int TrellisObject::HitTest(TimeValue t, INode* inode, int type, int crossing, int flags, IPoint2* p,
                           ViewExp* vpt) {
    GraphicsWindow* gw = vpt->getGW();
    Material* material = gw->getMaterial();
    checkCache(t);
    gw->setTransform(inode->GetObjectTM(t));
    HitRegion region;
    MakeHitRegion(region, type, crossing, kPickTolerance, p);
    return shape.Select(gw, material, &region, flags & HIT_ABORTONHIT);
}

void TrellisObject::Snap(TimeValue t, INode* inode, SnapInfo* snap, IPoint2* p, ViewExp* vpt) {
    Matrix3 tm = inode->GetObjectTM(t);
    GraphicsWindow* gw = vpt->getGW();
    checkCache(t);
    gw->setTransform(tm);
    shape.Snap(gw, snap, p, tm);
}

// Render flags: everything, plus 0x400 and 0x100 passed on from the display flags.
static int renderFlagsFor(int flags) {
    int compFlags = COMP_ALL;
    if (flags & 0x1000) compFlags |= 0x400;
    if (flags & 0x2) compFlags |= 0x100;
    return compFlags;
}

int TrellisObject::Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) {
    GraphicsWindow* gw = vpt->getGW();
    checkCache(t);
    gw->setTransform(inode->GetObjectTM(t));
    ShapeObject::Display(t, inode, vpt, flags);
    RECT* damage = (flags & USE_DAMAGE_RECT) ? vpt->GetDammageRect() : nullptr;
    shape.Render(gw, inode->Mtls(), damage, renderFlagsFor(flags), inode->NumMtls());
    return 0;
}

void TrellisObject::GetDeformBBox(TimeValue t, Box3& box, Matrix3* tm, BOOL) {
    checkCache(t);
    box = shape.GetBoundingBox(tm);
    box += ShapeObject::GetBoundingBox(t, tm);
}

void TrellisObject::GetLocalBoundBox(TimeValue t, INode*, ViewExp*, Box3& box) {
    checkCache(t);
    box = shape.GetBoundingBox();
    box += ShapeObject::GetBoundingBox(t);
}

// The local box carried through the node's object transform, not the box of
// the transformed knots.
void TrellisObject::GetWorldBoundBox(TimeValue t, INode* inode, ViewExp* vpt, Box3& box) {
    Matrix3 tm = inode->GetObjectTM(t);
    GetLocalBoundBox(t, inode, vpt, box);
    box = box * tm;
}
