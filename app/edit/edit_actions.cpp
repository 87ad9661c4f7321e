#include "app/edit/edit_actions.h"
#include <ostream>
#include "app/edit/rollup_user.h"
#include "app/platform/shell_requests.h"
#include "app/scene/scene_error.h"
#include "app/edit/section_choice.h"
#include "app/scene/spline_type_names.h"
#include "resources/resource.h"

namespace {

// The dialog's user is installed for this one press and removed after it.
class ResponderScope {
public:
    explicit ResponderScope(HitByNameResponder responder) { SetHitByNameResponder(std::move(responder)); }
    ~ResponderScope() { SetHitByNameResponder(nullptr); }
    ResponderScope(const ResponderScope&) = delete;
    ResponderScope& operator=(const ResponderScope&) = delete;
};

// The chooser drops without a word the nodes that find no free slot, so
// the list's growth tells whether all of them were taken.
void addSections(const EditAction& action, EditContext& context) {
    SectionChoice choice(context.host.GetScene(), context.object, context.host.GetTime(), action.names);
    const int before = context.rollup.entryCount();
    {
        ResponderScope user(choice.responder());
        context.rollup.click(IDC_ADD, action.given);
    }
    if (!choice.refusal().empty()) throw SceneError(action.given + ": " + choice.refusal());
    const int added = context.rollup.entryCount() - before;
    if (added < static_cast<int>(action.names.size()))
        throw SceneError(action.given + ": " + quoteName(action.names[static_cast<std::size_t>(added)]) +
                         ": the list is full");
}

void clickEntryButton(const EditAction& action, EditContext& context, int button) {
    context.rollup.selectEntry(action.value, action.given);
    context.rollup.click(button, action.given);
}

// The stand-in's shell launches nothing and records what Help asked for.
// Where the real shell would start a browser that the program cannot
// watch, Help is not pressed at all.
void showHelpPage(const EditAction& action, EditContext& context) {
    if (!platform::shellRequestsRecorded())
        throw SceneError(action.given + ": Help would open a browser here, and the program cannot read its address");
    const std::size_t before = platform::shellRequestCount();
    context.rollup.click(IDC_HELP_BUTTON, action.given);
    if (platform::shellRequestCount() == before) throw SceneError(action.given + ": Help opened nothing");
    if (context.out) *context.out << "help: " << platform::latestShellRequestParameters() << "\n";
}

}  // namespace

void performEditAction(const EditAction& action, EditContext& context) {
    switch (action.kind) {
        case EditActionKind::Add: addSections(action, context); break;
        case EditActionKind::Remove: clickEntryButton(action, context, IDC_REMOVE); break;
        case EditActionKind::Up: clickEntryButton(action, context, IDC_UP); break;
        case EditActionKind::Down: clickEntryButton(action, context, IDC_DOWN); break;
        case EditActionKind::Type: context.rollup.clickCaptioned(splineTypeCaption(action.value), action.given); break;
        case EditActionKind::HelpPage: showHelpPage(action, context); break;
    }
}
