// The class descriptor base: the host counts the descriptors alive so that
// a library's unloading can be seen to take its descriptors with it.
#include "plugapi.h"

namespace {

int liveDescriptors = 0;

}  // namespace

ClassDesc::ClassDesc() { ++liveDescriptors; }
ClassDesc::~ClassDesc() { --liveDescriptors; }

int LiveClassDescCount() { return liveDescriptors; }
