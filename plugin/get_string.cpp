// String resources of the library, through its module handle.
#include "plugin/get_string.h"
#include "plugin/module_handle.h"
#include "winmodule.h"

const char* GetString(int id) {
    static char buf[256];
    if (!hInstance) return nullptr;
    if (LoadStringA(hInstance, static_cast<UINT>(id), buf, static_cast<int>(sizeof(buf))) == 0) return nullptr;
    return buf;
}
