// Small pieces of SVG text: numbers, escaped text, shortened names.
#pragma once
#include <string>

// Fixed-point with two decimals, whatever the locale: "12.50", "-3.00".
std::string svgNumber(double value);

// Text safe inside an element or a double-quoted attribute: control
// characters, U+FFFE and U+FFFF (which XML 1.0 does not allow) become '?',
// bytes that are no UTF-8 become U+FFFD.
std::string xmlEscape(const std::string& text);

// A name of at most SVG_NAME_LENGTH characters (UTF-8 code points), longer
// ones cut with an ellipsis, so that a label keeps to its column.
const std::size_t SVG_NAME_LENGTH = 40;
std::string shortenedName(const std::string& name);
