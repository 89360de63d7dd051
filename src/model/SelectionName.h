#pragma once
// The name of a selection button, for screen readers and UI Automation,
// which take it from the button's window text: its row number and the
// row's goods, its column letter and the column's name, "03 Milch – A Obst".
#include <string>

std::string SelectionName(int row, const std::string& goods, int column, const std::string& name);
