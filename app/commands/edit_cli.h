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

// A whole number of the command line: decimal digits, a minus sign allowed
// in front, within the int range (a time in ticks, a list index, a pixel).
// None for anything else: a "+", spaces, a fraction, "0x10" or an empty word.
std::optional<int> decimalIntNamed(const std::string& text);

// Checks an option's int value as decimalIntNamed reads it and hands CLI11
// its plain digits, which CLI11 would otherwise read in its own way ("010"
// as octal 8, "0x10" as 16, an empty word as 0, 4294967296 wrapped).
CLI::Validator decimalInt();
