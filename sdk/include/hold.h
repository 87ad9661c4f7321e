// The host's undo hold: restore records are kept only while holding and not suspended.
#pragma once
#include <memory>
#include <vector>
#include "strclass.h"

class RestoreObj {
public:
    virtual ~RestoreObj() = default;
    virtual void Restore(int isUndo) = 0;
    virtual void Redo() = 0;
    virtual TSTR Description() { return TSTR("restore"); }
};

class Hold {
public:
    void Begin() { holding = true; }
    // Ends the operation and drops its records; only a begun operation counts as accepted.
    void Accept(const char* name);
    // Restores the records newest first, then drops them and ends the operation.
    void Cancel();
    int Holding() const { return holding && suspendCount == 0 ? 1 : 0; }
    // Suspends may nest; each Resume undoes one Suspend.
    void Suspend() { ++suspendCount; }
    void Resume() { if (suspendCount > 0) --suspendCount; }
    int IsSuspended() const { return suspendCount > 0 ? 1 : 0; }
    // Takes ownership; dropped when not holding.
    void Put(RestoreObj* rec);
    int RecordCount() const { return static_cast<int>(records.size()); }
    int AcceptedCount() const { return accepted; }

private:
    bool holding = false;
    int suspendCount = 0;
    int accepted = 0;
    std::vector<std::unique_ptr<RestoreObj>> records;
};

extern Hold theHold;
