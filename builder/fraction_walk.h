// Arc-length matching of two copies with different knot counts.
#pragma once
#include "max.h"
#include "builder/cage_tables.h"

// Appends to `fractions` the fraction of the spline's length reached at each
// knot, in single precision: r = 1 / SplineLength rounded once, the running
// length summed chord by chord, each fraction clamped at 1.
void buildFractionTable(const Spline3D& copy, Tab<float>& fractions);

// `run` plus the measured length of one segment: ten chords, each added to
// the running length in single precision before the next is measured.
float addSegmentChords(const Spline3D& copy, int segment, float run);

// Walks the longer copy's table fL against the shorter copy's fS: every entry
// of the longer copy is paired once, in order; the shorter index moves on by
// one only when its next entry is strictly closer to the longer copy's next
// fraction (an exact tie or a not-a-number keeps it).
EntryPairs walkFractions(const Tab<float>& fL, const Tab<float>& fS);
