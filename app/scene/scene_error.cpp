#include "app/scene/scene_error.h"
#include <nlohmann/json.hpp>

std::string quoteName(const std::string& name) {
    return nlohmann::json(name).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}
