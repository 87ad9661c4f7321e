#include "app/output/view_projection.h"

namespace {

const char* const VIEW_NAMES[] = {"top", "front", "left", "iso"};

}  // namespace

std::optional<ViewKind> viewNamed(const std::string& name) {
    for (int i = 0; i < 4; ++i)
        if (name == VIEW_NAMES[i]) return static_cast<ViewKind>(i);
    return std::nullopt;
}

const char* viewName(ViewKind view) { return VIEW_NAMES[static_cast<int>(view)]; }
