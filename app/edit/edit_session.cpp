#include "app/edit/edit_session.h"
#include <ostream>
#include "app/edit/edit_actions.h"
#include "app/edit/rollup_user.h"
#include "app/scene/scene_error.h"

namespace {

// Opened without BEGIN_EDIT_CREATE, as for an object that exists: its list
// buttons are enabled. Closed with END_EDIT_REMOVEUI, before the scene goes.
class OpenRollup {
public:
    OpenRollup(IObjParam& ip, Object& object, bool alreadyOpen) : host(ip), edited(object) {
        if (!alreadyOpen) edited.BeginEditParams(&host, 0, nullptr);
    }
    ~OpenRollup() { edited.EndEditParams(&host, END_EDIT_REMOVEUI, nullptr); }
    OpenRollup(const OpenRollup&) = delete;
    OpenRollup& operator=(const OpenRollup&) = delete;

private:
    IObjParam& host;
    Object& edited;
};

void printList(const RollupUser& rollup, std::ostream& out) {
    std::vector<std::string> entries = rollup.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) out << i << ": " << printableName(entries[i]) << "\n";
}

}  // namespace

void clickThrough(const std::vector<EditAction>& actions, IObjParam& host, INode& node, bool alreadyOpen,
                  std::ostream* out) {
    Object& object = *node.GetObjectRef();
    OpenRollup open(host, object, alreadyOpen);
    RollupUser rollup(host);
    EditContext context{host, object, rollup, out};
    for (const EditAction& action : actions) performEditAction(action, context);
    if (out) printList(rollup, *out);
}
