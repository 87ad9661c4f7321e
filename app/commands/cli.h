// The command line of the trellis program: parsing and dispatch, usable
// without a process (the streams stand for stdout and stderr).
#pragma once
#include <iosfwd>
#include "app/commands/error_report.h"

// Runs one invocation: argv[0] is the program name. Never throws.
int runTrellis(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
