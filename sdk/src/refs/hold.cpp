// The undo hold. The stand-in keeps one level: Accept closes the open
// operation (the real host keeps the accepted records for a later undo;
// nothing here undoes past an Accept), Cancel rolls it back.
#include "hold.h"

Hold theHold;

void Hold::Put(RestoreObj* rec) {
    std::unique_ptr<RestoreObj> owned(rec);
    if (owned && Holding()) records.push_back(std::move(owned));
}

// Only an operation that was begun counts as accepted.
void Hold::Accept(const char*) {
    if (holding) ++accepted;
    records.clear();
    holding = false;
}

// Restores newest first. The hold is closed before restoring, so whatever the
// restores record is dropped rather than growing the list being walked.
void Hold::Cancel() {
    std::vector<std::unique_ptr<RestoreObj>> undo;
    undo.swap(records);
    holding = false;
    for (auto it = undo.rbegin(); it != undo.rend(); ++it) (*it)->Restore(1);
}
