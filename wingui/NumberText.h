#pragma once

#include <string>

namespace vel::wingui {

// Numbers as the user writes them: the digits, decimal separator and signs of
// the user's locale, never a group separator (an edit would read "1.234" back
// as a fraction in a locale that groups with points).
//
// The value with six significant digits and no trailing zeros, as a standard
// stream writes a float ("0,5" and "1e+06" in a German locale); with
// fixedDecimals >= 0, with exactly that many decimals instead.
std::string NumberText(double value, int fixedDecimals = -1);
std::string NumberText(unsigned int value);

// The text with the locale's digits, decimal separator, signs and exponent
// mark replaced by their plain ASCII forms, so that a number typed in the
// user's locale or with a decimal point reads alike. Other characters stay.
std::string PlainNumberText(const std::string& text);

} // namespace vel::wingui
