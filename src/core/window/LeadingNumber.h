#pragma once

#include <string_view>

// The number at the start of a text, as typed numbers are read everywhere in
// the program: blanks before it are skipped, then an optional sign, digits
// with an optional decimal point and exponent. No number gives 0, so the
// empty text and "abc" read as 0, "3x" as 3.
double leadingNumber(std::string_view text);
