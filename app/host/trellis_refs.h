// A trellis object as the host reaches it: through its class id, its
// references (the parameter block in slot 0, the section nodes in slots 1
// to 100), and the interface the plug-in publishes. Nothing here knows
// the plug-in's classes.
#pragma once
#include <vector>
#include "max.h"
#include "object/itrellis_cage.h"
#include "app/scene/scene_file.h"

// Whether the object is one of the trellis class.
bool isOfTrellisClass(Object* object);
// The object's published cage interface; null for an object without it.
ITrellisCage* trellisCageOf(Object& object);
// The block of "SplineType"; null when the object has lost it.
IParamBlock* splineTypeBlock(ReferenceTarget& object);
// "SplineType" at t; 0 (a new block's value) without a block.
int splineTypeAt(ReferenceTarget& object, TimeValue t);
// The node of each of the 100 section slots in list order, null where empty.
std::vector<INode*> sectionSlots(ReferenceTarget& object);

// The object as a scene file's trellis entry, with what the host persists
// of it: the node's name and position at t; the 100 section slots in order,
// trailing empty slots dropped; "SplineType" as its keys when animated,
// else its value at t.
TrellisDesc describeTrellis(INode& node, ReferenceTarget& object, TimeValue t);
