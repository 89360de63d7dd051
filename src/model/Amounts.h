#pragma once
#include <string>
#include <string_view>

// Prices are decimal texts. They are read as the C library's atof reads
// them in the classic locale, whatever the user's regional settings:
// leading white space, an optional sign, digits with '.' as the decimal
// point, an optional exponent; the first character that does not fit ends
// the number, and a text without a leading number is 0.
double ParseAmount(std::string_view text);

// Whether a price counts as written: empty, or a number to its end
// (white space around it aside). "12,50", "12abc" and "abc" do not.
bool CountsAsWritten(std::string_view text);

// Two decimals, '.' as decimal point, no thousands separator ("%.2lf").
std::string FormatAmount(double value);
