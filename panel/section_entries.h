// What every edit of the section list shares: the list box, its entries'
// text, and the ending that tells the host the shape has changed.
#pragma once
#include "max.h"

class TrellisObject;

// An entry carries at most 199 characters of the node's name and the terminator.
const int SECTION_NAME_BUFFER = 200;

// The list box of the object's rollup (null before the rollup has opened).
HWND SectionListBox(TrellisObject* obj);
// Appends the node's name as the last entry.
void AddSectionEntry(HWND list, INode* node);
// Inserts the node's name as entry index.
void InsertSectionEntry(HWND list, int index, INode* node);
// Every edit ends here, whether or not anything changed: the shape is
// rebuilt at the next query and dependents hear of a topology change.
void NotifySectionEdit(TrellisObject* obj);
