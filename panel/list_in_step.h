// Keeping the section list box and the reference slots in step.
//
// Every list operation rests on the invariant: entry i shows the node of
// slot i + 1, slots 1 to sectionCount are filled, the rest empty, and the
// list box holds sectionCount entries. A section node deleted from the
// scene breaks it: its slot empties in place while its entry stays; so do
// empty slots between filled ones, which the list skips when it opens.
#pragma once

class TrellisObject;

// Restores the invariant when it is broken, before an edit relies on it:
// the filled slots close up in order (through ReplaceReference), the list
// box is rebuilt from them and sectionCount recounted. The selection stays
// on its node when that node is still a section and is cleared when the
// selected entry was the deleted node. When the invariant holds nothing is
// touched. The caller's edit then notifies, so the closed holes reach the
// cage with it.
void BringListInStep(TrellisObject* obj);
