// The class descriptor of TrellisObject.
#include "plugin/trellis_class_desc.h"
#include <new>
#include "object/trellis_object.h"
#include "plugin/get_string.h"
#include "resources/resource.h"

namespace {

TrellisClassDesc trellisDesc;

}  // namespace

// A new object whether or not the host is loading a scene: the object reads
// nothing of its own at load (the host restores its references and block).
void* TrellisClassDesc::Create(BOOL) {
    TrellisObject* object = new (std::nothrow) TrellisObject();
    return static_cast<Animatable*>(object);
}

const TCHAR* TrellisClassDesc::ClassName() { return GetString(IDS_CLASS_NAME); }
SClass_ID TrellisClassDesc::SuperClassID() { return SHAPE_CLASS_ID; }
Class_ID TrellisClassDesc::ClassID() { return TRELLIS_CLASS_ID; }
const TCHAR* TrellisClassDesc::Category() { return GetString(IDS_CATEGORY); }

ClassDesc* GetTrellisDesc() { return &trellisDesc; }
