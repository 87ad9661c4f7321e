// What `trellis edit` is asked to do: which object, the clicks in its
// rollup in command-line order, and where the results go.
#pragma once
#include <optional>
#include <string>
#include <vector>
#include "point3.h"

enum class EditActionKind { Add, Remove, Up, Down, Type, HelpPage };

struct EditAction {
    EditActionKind kind = EditActionKind::HelpPage;
    std::vector<std::string> names;   // Add: the nodes to choose, in order
    int value = 0;                    // Remove, Up, Down: the list entry; Type: 0 to 3
    std::string given;                // the option as given ("--remove 2"), for messages
};

struct EditOptions {
    std::string scenePath;
    std::string objectName;              // the object to edit, unless one is created
    std::optional<std::string> createName;
    IPoint2 createAt;                    // the creating click, in viewport pixels
    std::vector<EditAction> actions;     // in command-line order
    std::optional<std::string> savePath; // "-" for standard output
    std::optional<std::string> jsonPath; // "-" for standard output
};
