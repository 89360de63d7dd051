#pragma once
// What a printed list shows, taken from the window on its own thread
// before anything is drawn: the print job then reads no control.
#include "model/ControlIds.h"

#include <array>
#include <string>
#include <vector>

namespace printing {

struct PrintedRow {
    std::string number;  // "01".."20"
    std::string goods;   // a linked row's link text
    std::string price;   // as the field shows it
    std::array<bool, ids::kColumns> selected{};
    bool linked = false;
    bool lineBelow = false;  // the window's separator line under the row
};

// A row's info text and sources, printed under the table.
struct PrintedNote {
    std::string number, goods, text, source1, source2;
};

struct PrintedContent {
    std::string title, path, printedAt;
    std::array<std::string, ids::kColumns> names, sums;
    std::string total;
    std::array<PrintedRow, ids::kRows> rows;
    std::vector<PrintedNote> notes;
};

// "Gedruckt am 07.12.2026 um 21:15" in the user's date and time format.
std::string PrintedAtLine();

}  // namespace printing
