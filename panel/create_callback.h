// The creation of a trellis object by one click in a viewport.
#pragma once
#include "max.h"

class TrellisObject;

class TrellisCreateCallBack : public CreateMouseCallBack {
public:
    // Press (or drag) of the first point places the object; an abort ends
    // the creation; anything else refreshes the object.
    int proc(ViewExp* vpt, int msg, int point, int flags, IPoint2 m, Matrix3& mat) override;

    TrellisObject* ob = nullptr;  // the object being created; not owned
    Point3 placedPoint = Point3(0.0f, 0.0f, 0.0f);

private:
    void place(ViewExp* vpt, IPoint2 m, Matrix3& mat);
    void refresh();
};
