// The command line of `trellis edit`.
#pragma once
#include <optional>
#include <string>
#include <CLI/CLI.hpp>
#include "app/commands/edit_options.h"

// Adds the "edit" subcommand. Its actions (--add, --remove, --up, --down,
// --type, --help-page) land in options.actions in the order of the command
// line, whatever option they belong to.
void addEditCommand(CLI::App& app, EditOptions& options);

// "Linear", "Smooth", "Bezier", "Bezier Corner" (any letter case) or 0 to 3.
std::optional<int> splineTypeNamed(const std::string& text);
