// Mouse callbacks through which the host's create mode hands viewport mouse
// events to the object being created.
#pragma once
#include "maxtypes.h"
#include "point3.h"
#include "matrix3.h"

class ViewExp;

// Mouse messages.
const int MOUSE_ABORT = 0;
const int MOUSE_POINT = 1;
const int MOUSE_MOVE = 2;
const int MOUSE_DBLCLICK = 3;
const int MOUSE_INIT = 4;
const int MOUSE_UNINIT = 5;
const int MOUSE_FREEMOVE = 6;

// Answers of a creation callback.
const int CREATE_STOP = 0;
const int CREATE_CONTINUE = 1;
const int CREATE_ABORT = -1;

class CreateMouseCallBack {
public:
    virtual ~CreateMouseCallBack() = default;
    // One mouse event: msg, the index of the click (point), the mouse
    // position m, and mat, the new node's transform, which the callback may set.
    virtual int proc(ViewExp* vpt, int msg, int point, int flags, IPoint2 m, Matrix3& mat) = 0;
    virtual int override(int mode) { return mode; }
    virtual BOOL StartNewCreation() { return TRUE; }
    virtual BOOL TolerateOrthoMode() { return FALSE; }
};
