// The host's select-by-name dialog: a plug-in's callback decides which scene
// nodes are offered and what becomes of the ones the user chooses.
//
// The stand-in has no screen: its "user" is a responder that the program or
// a test installs. It sees what the dialog would show and answers with the
// nodes it chooses, in the order it chooses them.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include "maxtypes.h"

class INode;
class INodeTab;
class Scene;

class HitByNameDlgCallback {
public:
    virtual ~HitByNameDlgCallback() = default;
    virtual const TCHAR* dialogTitle() { return ""; }
    virtual const TCHAR* buttonText() { return ""; }
    virtual BOOL singleSelect() { return FALSE; }
    virtual BOOL useFilter() { return TRUE; }
    virtual int filter(INode*) { return TRUE; }
    virtual BOOL useProc() { return TRUE; }
    virtual void proc(INodeTab&) {}
    virtual BOOL doCustomHilite() { return FALSE; }
    virtual BOOL doHilite(INode*) { return FALSE; }
    virtual BOOL showHiddenAndFrozen() { return FALSE; }
};

// What the dialog shows.
struct HitByNameDialogView {
    std::string title;
    std::string buttonText;
    bool singleSelect = false;
    // The offered nodes by name (without regard to case; equal names in
    // scene order).
    std::vector<INode*> offered;
    // Per offered node: drawn highlighted (the callback's doHilite, asked
    // only when doCustomHilite is set).
    std::vector<bool> highlighted;
};

// Plays the user: fills chosen and answers true to confirm, false to cancel.
typedef std::function<bool(const HitByNameDialogView& view, std::vector<INode*>& chosen)> HitByNameResponder;

// Installs the user of every later dialog; an empty responder cancels them all.
void SetHitByNameResponder(HitByNameResponder responder);

// Why the last dialog refused a confirmed choice: a node that was not
// offered, a node chosen twice, or several nodes where one may be chosen.
// Empty when it did not refuse.
const std::string& HitByNameRefusal();

// The dialog over the nodes of scene. It offers the nodes that are neither
// hidden nor frozen (all of them when showHiddenAndFrozen), asking filter
// only when useFilter; when the user confirms an acceptable choice it calls
// proc (when useProc) with the chosen nodes and answers TRUE. A cancelled
// or refused choice calls nothing and answers FALSE. A null callback is the
// default one. The stand-in keeps no selection set, so a callback without
// proc makes a confirmed choice change nothing.
int RunHitByNameDialog(Scene& scene, HitByNameDlgCallback* callback);
