#include "plugin/get_string.h"
#include <cstring>
#include "resources/resource.h"

// Until the library carries its string table, the strings the plug-in uses
// come from this fixed table.
const char* GetString(int id) {
    static char buf[256];
    const char* text = nullptr;
    switch (id) {
        case IDS_PARAMETERS: text = "Parameters"; break;
        case IDS_CATEGORY: text = "Razazodod"; break;
        case IDS_CLASS_NAME: text = "TrellisObj"; break;
        default: return nullptr;
    }
    std::strncpy(buf, text, sizeof(buf) - 1);
    buf[sizeof(buf) - 1] = '\0';
    return buf;
}
