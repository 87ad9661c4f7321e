// The host's create mode for one-click objects.
#include "createmode.h"
#include <cstdio>
#include "max.h"
#include "plugapi.h"

namespace {

// The host numbers new nodes from 01 and takes the first name not in use.
std::string uniqueNodeName(const Scene& scene, const char* base) {
    const std::string stem = (base && *base) ? base : "Object";
    for (int n = 1;; ++n) {
        char number[16];
        std::snprintf(number, sizeof(number), "%02d", n);
        const std::string name = stem + number;
        if (!scene.FindNode(name.c_str())) return name;
    }
}

INode* cancel(IObjParam* ip, Object* obj, std::string& error, const char* why) {
    obj->EndEditParams(ip, END_EDIT_REMOVEUI, nullptr);
    obj->DeleteThis();
    error = why;
    return nullptr;
}

// The callback's answers: first to the mouse moving in, then to the press.
int runClick(CreateMouseCallBack* cb, ViewExp* vpt, IPoint2 mouse, Matrix3& mat) {
    const int result = cb->proc(vpt, MOUSE_FREEMOVE, 0, 0, mouse, mat);
    if (result != CREATE_CONTINUE) return result;
    return cb->proc(vpt, MOUSE_POINT, 0, 0, mouse, mat);
}

// The stand-in takes only the translation of the transform the callback
// set: a one-click object places its node and sets nothing else.
INode* placeNode(IObjParam* ip, Object* obj, const Matrix3& mat) {
    TSTR base;
    obj->InitNodeName(base);
    INode* node = ip->GetScene().CreateNode(obj, uniqueNodeName(ip->GetScene(), base).c_str());
    TMKey placed;
    placed.position = mat.GetTrans();
    node->GetTMController()->SetStatic(placed);
    obj->ClearAFlag(A_OBJ_CREATING);
    return node;
}

}  // namespace

INode* CreateByClick(IObjParam* ip, ClassDesc* cd, ViewExp* vpt, IPoint2 mouse, std::string& error) {
    error.clear();
    if (!ip || !cd || !vpt) {
        error = "creation needs a host, a class and a viewport";
        return nullptr;
    }
    Animatable* made = static_cast<Animatable*>(cd->Create(FALSE));
    Object* obj = dynamic_cast<Object*>(made);
    if (!obj) {
        if (made) made->DeleteThis();
        error = "the class made no object";
        return nullptr;
    }
    obj->BeginEditParams(ip, BEGIN_EDIT_CREATE, nullptr);
    CreateMouseCallBack* cb = obj->GetCreateMouseCallBack();
    if (!cb) return cancel(ip, obj, error, "the object has no creation callback");
    Matrix3 mat;
    const int result = runClick(cb, vpt, mouse, mat);
    if (result == CREATE_ABORT) return cancel(ip, obj, error, "the object's creation callback aborted");
    if (result != CREATE_STOP) return cancel(ip, obj, error, "the object needs more than one click");
    return placeNode(ip, obj, mat);
}
