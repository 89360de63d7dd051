#include "grid/Geometry.h"

namespace grid {

namespace {

// MapDialogRect's unit rectangle: 4 dialog units across, 8 down.
constexpr int kUnitsAcross = 4;
constexpr int kUnitsDown = 8;

// n / d rounded to the nearest integer, halves away from zero (d > 0).
int RoundedDiv(long long n, long long d) {
    return static_cast<int>(n >= 0 ? (2 * n + d) / (2 * d) : -((-2 * n + d) / (2 * d)));
}

RECT Scaled(DialogUnits units, int left, int top, int right, int bottom) {
    return ScaleRect(units, RECT{left, top, right, bottom});
}

template <typename Table>
int EntryAt(const Table& table, const RECT& band, POINT pt) {
    if (!Contains(band, pt)) return -1;
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        if (Contains(table[i], pt)) return i;
    }
    return -1;
}

}  // namespace

int ScaleX(DialogUnits units, int x) {
    return RoundedDiv(static_cast<long long>(x) * units.across, kReferenceUnits.across);
}

int ScaleY(DialogUnits units, int y) {
    return RoundedDiv(static_cast<long long>(y) * units.down, kReferenceUnits.down);
}

RECT ScaleRect(DialogUnits units, const RECT& r) {
    return RECT{ScaleX(units, r.left), ScaleY(units, r.top), ScaleX(units, r.right), ScaleY(units, r.bottom)};
}

int UnitsToPixelsX(DialogUnits units, int dialogUnits) {
    return RoundedDiv(static_cast<long long>(dialogUnits) * units.across, kUnitsAcross);
}

int UnitsToPixelsY(DialogUnits units, int dialogUnits) {
    return RoundedDiv(static_cast<long long>(dialogUnits) * units.down, kUnitsDown);
}

GridGeometry MakeGridGeometry(DialogUnits units) {
    using namespace ref;
    GridGeometry g;
    g.units = units;

    for (int row = 0; row < ids::kRows; ++row) {
        const int top = kRowTop[row];
        const int bottom = row + 1 < ids::kRows ? kRowTop[row + 1] - 1 : kLastRowBottom;
        g.rowLabel[row] = Scaled(units, kRowLabelLeft, top, kRowLabelRight, bottom);
        g.goods[row] = Scaled(units, kGoodsLeft, top, kGoodsRight, bottom);
        const int buttonTop = UnitsToPixelsY(units, kButtonTopUnits + kButtonPitchUnits * row);
        g.square[row] = RECT{UnitsToPixelsX(units, kSquareLeftUnits), buttonTop,
                             UnitsToPixelsX(units, kSquareRightUnits),
                             buttonTop + UnitsToPixelsY(units, kButtonHeightUnits)};
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        const int boxLeft = UnitsToPixelsX(units, kColumnBoxLeftUnits + kColumnBoxPitchUnits * column);
        const int boxRight = boxLeft + UnitsToPixelsX(units, kColumnBoxPitchUnits);
        g.columnHeader[column] = RECT{boxLeft + kHeaderInset, ScaleY(units, kHeaderTop), boxRight - kHeaderInset,
                                      ScaleY(units, kHeaderBottom)};
    }
    for (int gap = 0; gap < ids::kSeparators; ++gap) {
        const int top = kRowTop[gap];
        g.separator[gap] =
            Scaled(units, kSeparatorLeft, top + kSeparatorHitTop, kSeparatorRight, top + kSeparatorHitBottom);
        g.separatorLineY[gap] = ScaleY(units, top + kSeparatorLineOffset);
    }
    g.separatorLine = {ScaleX(units, kSeparatorLineFrom), ScaleX(units, kSeparatorLineTo)};

    g.rowLabelBand = ScaleRect(units, kRowLabelBand);
    g.rowLabelFrameBand = ScaleRect(units, kRowLabelFrameBand);
    g.goodsBand = ScaleRect(units, kGoodsBand);
    g.columnHeaderBand = RECT{g.columnHeader.front().left, g.columnHeader.front().top,
                              g.columnHeader.back().right, g.columnHeader.back().bottom};
    g.squareBand = RECT{g.square.front().left, g.square.front().top, g.square.back().right, g.square.back().bottom};
    g.separatorStrip = ScaleRect(units, kSeparatorStrip);

    for (int i = 0; i < kGridLines; ++i) g.gridLineY[i] = ScaleY(units, kGridLineY[i]);
    g.gridLine = {ScaleX(units, kGridLineFrom), ScaleX(units, kGridLineTo)};
    for (int i = 0; i < kGridTicks; ++i) {
        g.gridTicks[i] = {ScaleX(units, kGridTickFrom[i]), ScaleX(units, kGridTickTo[i])};
    }
    return g;
}

DialogUnits MeasureDialogUnits(HWND dialog) {
    RECT r{0, 0, kUnitsAcross, kUnitsDown};
    if (!::MapDialogRect(dialog, &r) || r.right <= 0 || r.bottom <= 0) return kReferenceUnits;
    return DialogUnits{static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

GridGeometry GeometryOf(HWND dialog) { return MakeGridGeometry(MeasureDialogUnits(dialog)); }

int RowLabelAt(const GridGeometry& g, POINT pt) { return EntryAt(g.rowLabel, g.rowLabelBand, pt); }

int GoodsAt(const GridGeometry& g, POINT pt) { return EntryAt(g.goods, g.goodsBand, pt); }

int SquareAt(const GridGeometry& g, POINT pt) { return EntryAt(g.square, g.squareBand, pt); }

int ColumnHeaderAt(const GridGeometry& g, POINT pt) { return EntryAt(g.columnHeader, g.columnHeaderBand, pt); }

int SeparatorAt(const GridGeometry& g, POINT pt) { return EntryAt(g.separator, g.separatorStrip, pt); }

}  // namespace grid
