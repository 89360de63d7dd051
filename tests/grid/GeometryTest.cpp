// Hit tests at the edges of the tables, and the squares and labels over
// their controls: in the live window at 6x13, and on the template's layout
// for a font that measures 7x13 (Wine without its own fonts).
#include "grid/GridWindow.h"

#include <array>

namespace {

enum Control { kGoods, kNumber, kButton, kSquareBox };

// Where the platform puts a control of the main template: x, y, width and
// height in dialog units, each rounded on its own; a column steps x by the
// fifth number, a row y by the sixth.
RECT Place(grid::DialogUnits u, Control c, int row, int column = 0) {
    constexpr int kTemplate[][6] = {
        {23, 26, 135, 12, 0, 14}, {12, 28, 9, 8, 0, 14}, {205, 27, 28, 11, 44, 14}, {508, 4, 15, 339, 0, 0}};
    const int* t = kTemplate[c];
    const int left = ::MulDiv(t[0] + t[4] * column, u.across, 4), top = ::MulDiv(t[1] + t[5] * row, u.down, 8);
    return {left, top, left + ::MulDiv(t[2], u.across, 4), top + ::MulDiv(t[3], u.down, 8)};
}

bool In(RECT a, RECT b) { return a.left >= b.left && a.right <= b.right && a.top >= b.top && a.bottom <= b.bottom; }

// Squares span their row's buttons inside the box at the right edge; labels
// lie left of the goods, over the row numbers, with a seam between rows.
void ExpectOverTheControls(grid::DialogUnits u, const grid::GridGeometry& g) {
    for (int row = 0; row < ids::kRows; ++row) {
        const RECT &label = g.rowLabel[row], &square = g.square[row], buttons = Place(u, kButton, row);
        EXPECT_TRUE(square.top == buttons.top && square.bottom == buttons.bottom &&
                    In(square, Place(u, kSquareBox, 0)) && In(square, g.squareBand)) << "square " << row;
        EXPECT_TRUE(label.right <= Place(u, kGoods, row).left && In(Place(u, kNumber, row), label) &&
                    In(label, g.rowLabelFrameBand) && (row == 19 || label.bottom < g.rowLabel[row + 1].top)) << row;
    }
}

}  // namespace

TEST_F(GridWindowTest, GeometryHitsAtTheEdgesAndAreasOverTheControls) {
    Open();
    RECT units{0, 0, 4, 8};
    ::MapDialogRect(Wnd(), &units);
    ASSERT_EQ(AsLtrb(units), Ltrb(0, 0, 6, 13)) << "a prefix falling back to another font shifts every pixel";
    ExpectOverTheControls({6, 13}, Geometry());
    ExpectOverTheControls({7, 13}, grid::MakeGridGeometry({7, 13}));
    // x, y, the entry hit: labels end at x = 34, y = 62 is the seam of rows 01 and 02.
    const std::vector<std::pair<int (*)(const grid::GridGeometry&, POINT), std::vector<std::array<int, 3>>>> tables = {
        {grid::RowLabelAt,
         {{33, 50, 0}, {34, 50, -1}, {13, 50, -1}, {20, 61, 0}, {20, 62, -1}, {20, 63, 1}, {20, 496, -1}}},
        {grid::GoodsAt, {{35, 50, 0}, {34, 50, -1}, {237, 495, 19}, {100, 61, 0}, {100, 62, -1}, {100, 63, 1}}},
        {grid::SquareAt, {{765, 494, -1}, {765, 493, 19}, {781, 44, 0}, {782, 44, -1}, {770, 65, -1}, {770, 67, 1}}},
        {grid::ColumnHeaderAt, {{301, 20, -1}, {302, 6, 0}, {356, 20, -1}, {368, 39, 1}, {752, 20, -1}, {400, 40, -1}}},
        {grid::SeparatorAt,
         {{288, 56, 0}, {303, 60, -1}, {295, 71, -1}, {295, 78, 1}, {302, 480, 18}, {295, 481, -1}}}};
    const grid::GridGeometry g = Geometry();
    for (const auto& [at, hits] : tables) {
        for (const auto& [x, y, index] : hits) EXPECT_EQ(at(g, {x, y}), index) << x << "," << y;
    }
    // x = 34 is still in the row-label band, where a row drag goes on.
    EXPECT_TRUE(grid::Contains(g.rowLabelBand, {34, 50}) && !grid::Contains(g.rowLabelBand, {35, 50}));
}
