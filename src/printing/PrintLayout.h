#pragma once
// Where everything goes on a printed page, in the printer's own pixels:
// plain functions of the printable area, its resolution and a measure of
// text, without a printer or a window.
#include "model/ControlIds.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace printing {

// A page as the printer describes it, in its pixels: the area it can
// print on, the whole sheet, where the area starts on it, and the dots
// per inch. A sheet of 0 is taken as the printable area itself.
struct PageArea {
    int printableWidth = 0, printableHeight = 0;
    int paperWidth = 0, paperHeight = 0;
    int offsetX = 0, offsetY = 0;
    int dpiX = 0, dpiY = 0;
};

// A rectangle in printable-area pixels.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Box&) const = default;
};

// The blank margin kept on every side of the sheet.
inline constexpr double kMarginMm = 15.0;

int MmToPixels(double mm, int dpi);

// The part of the page printed on: the margins off the sheet, never
// beyond what the printer can print; then the heading at its top, the
// footer at its bottom and the body between.
struct PageFrame {
    Box content, heading, body, footer;
};
PageFrame FramePage(const PageArea& area, int headingHeight, int footerHeight);

// Width of a text in pixels, in the font it is printed in.
using Measure = std::function<int(std::string_view)>;

inline constexpr const char* kEllipsis = "…";

// The text as it fits the width: whole, or cut with "…" at its end.
std::string CutToWidth(std::string_view text, int width, const Measure& measure);

// A text broken into lines no wider than the width: at its own line
// breaks, between words, and inside a word too long for a line.
std::vector<std::string> WrapLines(std::string_view text, int width, const Measure& measure);

// The table's columns, left and right edge each: row number, goods,
// price, then one per group.
struct Span {
    int left = 0, right = 0;
    int Width() const { return right - left; }
    bool operator==(const Span&) const = default;
};
struct TableColumns {
    Span number, goods, price;
    std::array<Span, ids::kColumns> groups;
};
TableColumns LayOutColumns(const Box& body, int dpiX);

// One printed line of the info notes: a note's heading, its text, or the
// blank between notes.
struct NoteLine {
    enum Kind { kHeading, kText, kBlank };
    Kind kind = kText;
    std::string text;
    bool operator==(const NoteLine&) const = default;
};

// The lines on each page, given how many fit on the first page (below
// the table) and on every other. A heading never ends a page and a blank
// never starts one. There is always a first page.
std::vector<std::vector<NoteLine>> SplitOverPages(const std::vector<NoteLine>& lines, int firstPageLines,
                                                  int otherPageLines);

// "Tarvelo – Seite 2 von 3".
std::string PageFooter(int page, int pages);

}  // namespace printing
