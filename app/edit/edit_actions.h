// The clicks of `trellis edit`, each done in the object's open rollup as a
// user does it.
#pragma once
#include <iosfwd>
#include "max.h"
#include "app/commands/edit_options.h"

class RollupUser;

// Everything one action needs: the host with the edited object's scene,
// the object, and the rollup. Lines the user would read (the help page's
// address) go to `out` when it is not null.
struct EditContext {
    IObjParam& host;
    ReferenceTarget& object;
    RollupUser& rollup;
    std::ostream* out;
};

// Throws SceneError, naming the action as given and why, when the user
// could not do it: a name the dialog does not offer, a list entry that
// does not exist, a list already full, a disabled button.
void performEditAction(const EditAction& action, EditContext& context);
