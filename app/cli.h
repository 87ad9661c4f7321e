// The command line of the trellis program: parsing and dispatch, usable
// without a process (the streams stand for stdout and stderr).
#pragma once
#include <iosfwd>

// Exit codes.
const int EXIT_OK = 0;
const int EXIT_INPUT_ERROR = 1;   // a bad scene, a bad --delete name, an unwritable output
const int EXIT_USAGE_ERROR = 2;   // an unknown option, a missing argument, an unknown command

// Runs one invocation: argv[0] is the program name. Never throws.
int runTrellis(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
