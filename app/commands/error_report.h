// How the program ends a run: its exit codes, and the one way it complains,
// one line "trellis: error: ..." on standard error, control characters of
// paths, arguments and names escaped so that it stays one line.
#pragma once
#include <iosfwd>
#include <string>

// Exit codes.
const int EXIT_OK = 0;
const int EXIT_INPUT_ERROR = 1;   // a bad scene, a bad --delete name, an unwritable output
const int EXIT_USAGE_ERROR = 2;   // an unknown option, a missing argument, an unknown command

// "trellis: error: WHAT"; answers `status`.
int reportError(std::ostream& err, const std::string& what, int status = EXIT_INPUT_ERROR);
// "trellis: error: SUBJECT: WHAT", SUBJECT the file or the option at fault.
int reportErrorAbout(std::ostream& err, const std::string& subject, const std::string& what);
