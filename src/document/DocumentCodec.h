#pragma once
// Pure conversions between what the window holds and a document's values.
#include <string>
#include <string_view>
#include <vector>

// Line breaks (CR LF, and a lone CR or LF alike) are stored as "|~|";
// reading turns every "|~|" back into CR LF.
std::string EncodeInfoText(std::string_view text);
std::string DecodeInfoText(std::string_view stored);

// Any other value goes into a file on one line: a line break pasted into a
// one-line field becomes a blank.
std::string OneLineValue(std::string_view text);

// One character per entry: '0' plus the entry's value.
std::string EncodeDigits(const std::vector<int>& values);

// The entries of a digit string, character minus '0'; positions beyond the
// value's end take the character `fill` (the key's own default).
std::vector<int> DecodeDigits(std::string_view value, size_t count, char fill);

// The linked columns of a "Column" value: trailing white space is dropped;
// a position beyond the end or outside '/'..'6' counts as '/' (-1).
std::vector<int> DecodeLinkColumns(std::string_view value, size_t count);

// A selection state from a "BUTTONS" entry: 0 off, anything above on; a
// negative entry (a character below '0') leaves the button unchanged (-1).
int SelectionStateFromDigit(int digit);

// Two-digit key names such as "Ware %02i" for row index 0 -> "Ware 01".
std::string RowKey(const char* format, int row);
