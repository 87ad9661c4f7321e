// The select-by-name dialog, played by an installed responder.
#include "hitbyname.h"
#include <algorithm>
#include <strings.h>
#include "scene.h"

namespace {

HitByNameResponder& responder() {
    static HitByNameResponder theResponder;
    return theResponder;
}

std::string& refusal() {
    static std::string reason;
    return reason;
}

bool offers(HitByNameDlgCallback& cb, INode* node) {
    if (!cb.showHiddenAndFrozen() && (node->IsHidden() || node->IsFrozen())) return false;
    return !cb.useFilter() || cb.filter(node);
}

// The stand-in sorts without regard to case by the C locale.
bool byName(INode* a, INode* b) { return strcasecmp(a->GetName(), b->GetName()) < 0; }

HitByNameDialogView viewFor(Scene& scene, HitByNameDlgCallback& cb) {
    HitByNameDialogView view;
    view.title = cb.dialogTitle() ? cb.dialogTitle() : "";
    view.buttonText = cb.buttonText() ? cb.buttonText() : "";
    view.singleSelect = cb.singleSelect() != FALSE;
    for (int i = 0; i < scene.NodeCount(); ++i)
        if (offers(cb, scene.GetNode(i))) view.offered.push_back(scene.GetNode(i));
    std::stable_sort(view.offered.begin(), view.offered.end(), byName);
    for (INode* node : view.offered) view.highlighted.push_back(cb.doCustomHilite() && cb.doHilite(node));
    return view;
}

// Why the choice cannot have come from the dialog; empty when it can.
std::string checkChoice(const HitByNameDialogView& view, const std::vector<INode*>& chosen) {
    if (view.singleSelect && chosen.size() > 1) return "only one node may be chosen";
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (std::find(view.offered.begin(), view.offered.end(), chosen[i]) == view.offered.end())
            return "a chosen node was not offered";
        if (std::find(chosen.begin(), chosen.begin() + static_cast<std::ptrdiff_t>(i), chosen[i]) !=
            chosen.begin() + static_cast<std::ptrdiff_t>(i))
            return "a node was chosen twice";
    }
    return std::string();
}

}  // namespace

void SetHitByNameResponder(HitByNameResponder r) { responder() = std::move(r); }

const std::string& HitByNameRefusal() { return refusal(); }

int RunHitByNameDialog(Scene& scene, HitByNameDlgCallback* callback) {
    HitByNameDlgCallback defaultCallback;
    HitByNameDlgCallback& cb = callback ? *callback : defaultCallback;
    refusal().clear();
    const HitByNameDialogView view = viewFor(scene, cb);
    std::vector<INode*> chosen;
    // Copied, so a responder that installs another one runs to its end.
    HitByNameResponder user = responder();
    if (!user || !user(view, chosen)) return FALSE;
    refusal() = checkChoice(view, chosen);
    if (!refusal().empty()) return FALSE;
    if (cb.useProc()) {
        INodeTab table;
        for (INode* node : chosen) table.Append(1, &node);
        cb.proc(table);
    }
    return TRUE;
}
