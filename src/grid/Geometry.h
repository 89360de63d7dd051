#pragma once
// Pixel geometry of the main window's own painted and clickable areas: the
// five tables (row labels, goods fields, indicator squares, column headers,
// separator hit areas), the bands around them and the painted lines.
//
// The numbers below are the client pixels of the main dialog laid out with
// its font at 6 x 13 pixels per 4 x 8 dialog units (1.5 px across and
// 1.625 px down per unit), as on Windows at 96 dpi. A window whose dialog
// units measure otherwise (another font, or 120 or 144 dpi) gets every
// number scaled by its own unit size, so that hit areas and lines stay over
// the same controls; the squares and the column headers are placed from the
// template's dialog units like the controls they cover. At the reference
// size both ways give every number as it is.
//
// Everything here is plain data and pure functions; only
// MeasureDialogUnits and GeometryOf ask the window.
#include "dialogkit/Win32.h"
#include "model/ControlIds.h"

#include <array>

namespace grid {

// Pixels per 4 dialog units across and per 8 down (what MapDialogRect
// makes of the rectangle 0, 0, 4, 8).
struct DialogUnits {
    int across = 6;
    int down = 13;
};
inline constexpr DialogUnits kReferenceUnits{6, 13};

// A reference x or y at the given unit size, rounded to the nearest pixel
// (halves away from zero, as the platform rounds dialog units).
int ScaleX(DialogUnits units, int x);
int ScaleY(DialogUnits units, int y);
RECT ScaleRect(DialogUnits units, const RECT& reference);

// Pixels of a template's dialog units, as the platform places controls:
// each position and each size rounded on its own.
int UnitsToPixelsX(DialogUnits units, int dialogUnits);
int UnitsToPixelsY(DialogUnits units, int dialogUnits);

// The platform's rule for a point in a rectangle: left and top inside,
// right and bottom outside.
constexpr bool Contains(const RECT& r, POINT pt) {
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

// The reference numbers, at kReferenceUnits.
namespace ref {

// Top pixel of each row; the pitch alternates irregularly between 22 and
// 23, so the tops are listed, not computed. Each row ends one pixel above
// the next row's top: that seam line belongs to no row.
inline constexpr int kRowTop[ids::kRows] = {41,  63,  86,  109, 132, 155, 178, 201, 223, 246,
                                            269, 292, 315, 337, 360, 383, 406, 429, 451, 474};
inline constexpr int kLastRowBottom = 496;

inline constexpr int kRowLabelLeft = 14;
inline constexpr int kRowLabelRight = 34;
inline constexpr int kGoodsLeft = 35;
inline constexpr int kGoodsRight = 238;

// The squares cover exactly the pixel rows of their row's selection
// buttons, so they are placed as the platform places those buttons: from
// the template's dialog units, not by scaling reference pixels (which
// misses the buttons by a pixel at other unit sizes). In dialog units: the
// buttons' top, pitch and height, and the squares' edges inside the group
// box at the right edge. At the reference units they give 765..782 across
// and the tops 44, 67, 89, 112 (repeating every four rows 91 lower).
inline constexpr int kButtonTopUnits = 27;
inline constexpr int kButtonPitchUnits = 14;
inline constexpr int kButtonHeightUnits = 11;
inline constexpr int kSquareLeftUnits = 510;
inline constexpr int kSquareRightUnits = 521;

// A column header covers its group box's caption and "Auswahl :" text:
// across, the box (placed from dialog units like the box itself) less a
// few pixels at each side, since the platform draws the caption a fixed
// number of pixels in from the box's edge at any dpi; down, scaled. At the
// reference units: 302..356, 368..422, ..., 698..752.
inline constexpr int kColumnBoxLeftUnits = 197;
inline constexpr int kColumnBoxPitchUnits = 44;  // also a box's width
inline constexpr int kHeaderInset = 6;
inline constexpr int kHeaderTop = 6;
inline constexpr int kHeaderBottom = 40;

// The separator of row i lies in the gap between the list and column A,
// measured from the row's top.
inline constexpr int kSeparatorLeft = 288;
inline constexpr int kSeparatorRight = 303;
inline constexpr int kSeparatorHitTop = 15;
inline constexpr int kSeparatorHitBottom = 30;
inline constexpr int kSeparatorLineOffset = 22;
inline constexpr int kSeparatorLineFrom = 35;
inline constexpr int kSeparatorLineTo = 756;

inline constexpr RECT kRowLabelBand{14, 41, 35, 496};
inline constexpr RECT kRowLabelFrameBand{14, 41, 34, 496};
inline constexpr RECT kGoodsBand{35, 41, 238, 496};
inline constexpr RECT kSeparatorStrip{288, 56, 303, 488};

// Grid lines above rows 01, 06, 11, 16 and below row 20, across goods and
// prices, with short ticks in the gaps between the button columns.
inline constexpr int kGridLines = 5;
inline constexpr int kGridTicks = 8;
inline constexpr int kGridLineY[kGridLines] = {40, 154, 268, 382, 496};
inline constexpr int kGridLineFrom = 35;
inline constexpr int kGridLineTo = 285;
inline constexpr int kGridTickFrom[kGridTicks] = {298, 355, 421, 487, 553, 619, 685, 751};
inline constexpr int kGridTickTo[kGridTicks] = {303, 369, 435, 501, 567, 633, 699, 756};

}  // namespace ref

// A horizontal line from x `from` to x `to` (the end point is not painted).
struct HLine {
    int from = 0;
    int to = 0;
};

struct GridGeometry {
    DialogUnits units;

    // The five tables.
    std::array<RECT, ids::kRows> rowLabel{};
    std::array<RECT, ids::kRows> goods{};
    std::array<RECT, ids::kRows> square{};
    std::array<RECT, ids::kColumns> columnHeader{};
    std::array<RECT, ids::kSeparators> separator{};

    // The bands: a point outside a band skips the whole table.
    RECT rowLabelBand{};       // label gestures and the end of a row drag
    RECT rowLabelFrameBand{};  // hover frames on the labels
    RECT goodsBand{};
    RECT columnHeaderBand{};  // from the first header to the last
    RECT squareBand{};  // from the first square's top to the last one's bottom
    RECT separatorStrip{};  // repainted on every mouse move

    std::array<int, ref::kGridLines> gridLineY{};
    HLine gridLine;
    std::array<HLine, ref::kGridTicks> gridTicks{};
    std::array<int, ids::kSeparators> separatorLineY{};
    HLine separatorLine;
};

// The whole geometry at the given unit size.
GridGeometry MakeGridGeometry(DialogUnits units);

// What a dialog's font makes of 4 x 8 dialog units.
DialogUnits MeasureDialogUnits(HWND dialog);
// The geometry of a dialog of the main window's template. A dialog's font
// never changes, so this is the same for the whole life of the window.
GridGeometry GeometryOf(HWND dialog);

// Hit tests: the index of the entry that contains the point, or -1. Each
// looks at its band first; a point outside it hits nothing.
int RowLabelAt(const GridGeometry& g, POINT pt);     // row-label band
int GoodsAt(const GridGeometry& g, POINT pt);        // goods band
int SquareAt(const GridGeometry& g, POINT pt);       // square band
int ColumnHeaderAt(const GridGeometry& g, POINT pt); // column-header band
int SeparatorAt(const GridGeometry& g, POINT pt);    // separator strip

}  // namespace grid
