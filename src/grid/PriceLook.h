#pragma once
// How a price that does not count as written looks: its text in a dark red
// that reads on the field's background, and a tooltip naming what it counts as.
#include "dialogkit/Win32.h"

#include <string>
#include <string_view>

namespace grid {

// Dark red on a light field, a light red on a dark one: 4.5:1 or more.
COLORREF WarningTextColour(COLORREF background);
// "Zählt als 12.00" for a price that does not count as written, else "".
std::string PriceTipText(std::string_view price);

}  // namespace grid
