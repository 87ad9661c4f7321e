// The host's create mode for objects made with a single click in a viewport.
#pragma once
#include <string>
#include "point3.h"

class IObjParam;
class ClassDesc;
class ViewExp;
class INode;

// Does what the host does when the user clicks once at mouse with the
// class's create button down: the class creates an object, the object opens
// its rollup for creation (BEGIN_EDIT_CREATE) and hands over its creation
// callback, which hears a MOUSE_FREEMOVE and then the press (MOUSE_POINT,
// point 0) at mouse with an identity transform. When the callback stops,
// the host makes a node named by the object's InitNodeName and the lowest
// two-digit number free in ip's scene ("TrellisObj01"), placed at the
// translation the callback gave the transform, clears the object's
// A_OBJ_CREATING flag and answers the node; the rollup stays open.
// When the callback aborts, or wants more clicks than this one, the object
// closes its rollup (END_EDIT_REMOVEUI) and is deleted: the answer is null
// and error says why. Null arguments are refused the same way.
INode* CreateByClick(IObjParam* ip, ClassDesc* cd, ViewExp* vpt, IPoint2 mouse, std::string& error);
