// Fixed-point numbers with two decimals, as the SVG page spells its
// coordinates. A cage of a hundred sections puts millions of them on a
// page, so the common case is done in integers; the result is always what
// std::to_chars(value, fixed, 2) writes ("12.50", "-3.00", "-0.00").
#pragma once

// Characters enough for any double in this form.
const int TWO_DECIMALS_SIZE = 330;

// Writes `value` at `text`, which holds TWO_DECIMALS_SIZE characters, and
// returns the end of what was written.
char* writeTwoDecimals(char* text, double value);
