// The host application's interface.
#include "maxapi.h"
#include "hitbyname.h"

// The dialog over this host's scene, played by the installed responder.
int Interface::DoHitByNameDialog(HitByNameDlgCallback* ent) { return RunHitByNameDialog(scene, ent); }

// One interface for the whole process, made on first use.
IObjParam* GetCOREInterface() {
    static IObjParam theInterface;
    return &theInterface;
}
