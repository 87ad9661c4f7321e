// The list buttons "Remove", "Up" and "Down". Each acts on the selected
// entry and its slot together, and each ends with one change notification,
// also when there was nothing to do.
#pragma once

class TrellisObject;

// Deletes the selected entry and moves every later node up one slot; the
// list is left without a selection.
void RemoveSelectedSection(TrellisObject* obj);
// Swaps the selected entry with the one above; it stays selected.
void MoveSelectedSectionUp(TrellisObject* obj);
// Swaps the selected entry with the one below; it stays selected.
void MoveSelectedSectionDown(TrellisObject* obj);
