// `trellis edit`: open a trellis object's rollup as the host does, click
// through it as the user would, and keep the result.
#pragma once
#include <iosfwd>
#include "plugapi.h"
#include "app/commands/edit_options.h"

// Loads the scene, opens the rollup of the object named by --object (or of
// one created by --create), performs the actions in order, prints the
// section list as "INDEX: NAME" lines, closes the rollup, then writes
// --save and --json. Nothing is written unless every action succeeded.
// Trellis objects are made through `trellisClass`, the loaded plug-in's
// descriptor. Errors go to `err` as one line; returns the exit status.
int runEdit(const EditOptions& options, ClassDesc& trellisClass, std::ostream& out, std::ostream& err);
