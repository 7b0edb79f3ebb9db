#pragma once
// The one rule for numbers in settings.ini: every key that holds a number is read with it.
#include <string_view>

namespace platform {

// The value text read as a decimal number as far as it forms one, the way the desktop's Val
// reads it: blanks (space, tab, CR, LF) anywhere are skipped, then an optional sign, digits,
// a decimal point with digits and an exponent (E or D) are taken; reading stops at the first
// other character. "1abc" is 1, " 2.5" is 2.5, "1 0" is 10, "1e1" is 10, empty or non-numeric
// text is 0. A number too large for a double is +/- infinity.
double LeadingNumber(std::string_view text);
// Rounds to the nearest whole number, halves to the even one (2.5 -> 2, 3.5 -> 4), as the
// desktop's conversions to whole numbers do.
double RoundHalfEven(double value);

}  // namespace platform
