// The host application's interface.
#include "maxapi.h"

// The select-by-name dialog does not exist yet: nothing is chosen.
int Interface::DoHitByNameDialog(HitByNameDlgCallback*) { return 0; }

// One interface for the whole process, made on first use.
IObjParam* GetCOREInterface() {
    static IObjParam theInterface;
    return &theInterface;
}
