// The library's exports: the only symbols the library file makes visible
// (the export list and the library name come from trellisObject.def).
#include <type_traits>
#include "plugapi.h"
#include "plugin/trellis_class_desc.h"

#define TRELLIS_EXPORT extern "C" __attribute__((visibility("default")))

TRELLIS_EXPORT const TCHAR* LibDescription() { return " Gridwork library "; }

TRELLIS_EXPORT int LibNumberClasses() { return 1; }

TRELLIS_EXPORT ClassDesc* LibClassDesc(int i) { return i == 0 ? GetTrellisDesc() : nullptr; }

TRELLIS_EXPORT ULONG LibVersion() { return VERSION_3DSMAX; }

// The host calls the exports through these types.
static_assert(std::is_same<decltype(&LibDescription), LibDescriptionProc>::value, "LibDescription");
static_assert(std::is_same<decltype(&LibNumberClasses), LibNumberClassesProc>::value, "LibNumberClasses");
static_assert(std::is_same<decltype(&LibClassDesc), LibClassDescProc>::value, "LibClassDesc");
static_assert(std::is_same<decltype(&LibVersion), LibVersionProc>::value, "LibVersion");
