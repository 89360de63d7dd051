#pragma once
// How a price that does not count as written looks: its text in a dark red
// that reads on the field's background, and a tooltip naming what it counts as.
#include "dialogkit/Win32.h"

#include <string>
#include <string_view>

namespace grid {

// Dark red, as far darker (or, on a dark field, lighter) as it takes to
// read at 4.5:1 or more on the field's background.
COLORREF WarningTextColour(COLORREF background);
// "Zählt als 12.00" for a price that does not count as written, else "".
std::string PriceTipText(std::string_view price);

}  // namespace grid
