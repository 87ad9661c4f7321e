// Floats in their shortest round-trip decimal form. The OBJ export and the
// JSON document write millions of them, so the digits come from Schubfach's
// single-precision algorithm (Giulietti, "The Schubfach way to render
// doubles", 2020: the shortest digits from three 64 x 32-bit products)
// rather than from std::to_chars, which takes about a third more time on
// coordinates. The text is always what std::to_chars(first, last, value)
// writes: same digits, fixed layout unless the scientific one is shorter
// ("0.1", "100", "1e+20", "-0").
#pragma once

// The room the writer needs: any float in this form is at most 15
// characters ("-1.17549435e-38"), but it copies whole blocks and may
// overwrite characters after the end it returns.
const int SHORTEST_FLOAT_ROOM = 32;

// Writes `value` at `text`, which holds SHORTEST_FLOAT_ROOM characters, and
// returns the end of what was written.
char* writeShortestFloat(char* text, float value);
