// Scene files written back in the format they are read in. A scene is
// written as its document was read, with the edits of trellis entries put
// in, so that everything else (nodes, their shapes, the time, fields of
// other tools) stays as the user wrote it.
#pragma once
#include <string>
#include <vector>
#include <nlohmann/json.hpp>
#include "app/scene/scene_file.h"

// A scene file's document, key order kept. Throws SceneError (the file
// name is not part of the message).
nlohmann::ordered_json readSceneDocument(const std::string& path);

// {"name", "position", "splineType", "sections"}: "splineType" an integer,
// or {"keys": [[time, value], ...]}; "sections" null for an empty slot.
nlohmann::ordered_json trellisToJson(const TrellisDesc& desc);

// The document's text with each of `trellis` put in. An entry of the same
// name keeps its fields and their order; of "splineType" and "sections",
// each is written, in place, only when the description differs from what
// the entry says. An object with no entry gets a whole one (trellisToJson),
// after the others. Throws SceneError when an entry no longer reads.
std::string sceneText(nlohmann::ordered_json document, const std::vector<TrellisDesc>& trellis);
