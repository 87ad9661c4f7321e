// One sitting at a trellis object's rollup: open it as the host does for an
// existing object, do the clicks in order, read the list it shows, close it.
#pragma once
#include <iosfwd>
#include <vector>
#include "max.h"
#include "app/commands/edit_options.h"

// Performs the actions in the rollup of the node's object, then prints the
// section list as "INDEX: NAME" lines. A rollup opened for creation is
// already open (`alreadyOpen`). The rollup is closed afterwards, also when
// an action fails. Lines go to `out` unless it is null. Throws SceneError.
void clickThrough(const std::vector<EditAction>& actions, IObjParam& host, INode& node, bool alreadyOpen,
                  std::ostream* out);
