// The running host's current time, which queries that take no time use
// (the number of curves, the rollup's controls): set for a scope and put
// back as it was afterwards, also when the scope ends by an exception.
#pragma once
#include "maxapi.h"

class HostTimeScope {
public:
    HostTimeScope() : saved(GetCOREInterface()->GetTime()) {}
    explicit HostTimeScope(TimeValue t) : HostTimeScope() { set(t); }
    ~HostTimeScope() { GetCOREInterface()->SetTime(saved); }
    HostTimeScope(const HostTimeScope&) = delete;
    HostTimeScope& operator=(const HostTimeScope&) = delete;

    void set(TimeValue t) { GetCOREInterface()->SetTime(t); }

private:
    TimeValue saved;
};
