// Hit tests at the edges of the tables in the live window at 6x13, and the
// squares and labels over their controls on the template's layout for a
// font that measures 7x13 (Wine without its own fonts); over the live
// window's own controls at 96, 120 and 144 dpi see DpiTest.
#include "grid/GridWindow.h"

#include <array>

namespace {

enum Control { kGoods, kNumber, kButton, kSquareBox };

// Where the platform puts a control of the main template: x, y, width and
// height in dialog units, each rounded on its own; a row steps y by the
// fifth number.
RECT Place(grid::DialogUnits u, Control c, int row) {
    constexpr int kTemplate[][5] = {
        {23, 26, 135, 12, 14}, {12, 28, 9, 8, 14}, {205, 27, 28, 11, 14}, {508, 4, 15, 339, 0}};
    const int* t = kTemplate[c];
    const int left = ::MulDiv(t[0], u.across, 4), top = ::MulDiv(t[1] + t[4] * row, u.down, 8);
    return {left, top, left + ::MulDiv(t[2], u.across, 4), top + ::MulDiv(t[3], u.down, 8)};
}

}  // namespace

TEST_F(GridWindowTest, GeometryHitsAtTheEdgesAndAreasOverTheControls) {
    Open();
    const grid::DialogUnits units = grid::MeasureDialogUnits(Wnd());
    ASSERT_TRUE(units.across == 6 && units.down == 13) << "a prefix falling back to another font shifts every pixel";
    // Squares span their row's buttons inside the box at the right edge;
    // labels lie left of the goods, over the row numbers, with a seam between rows.
    const grid::DialogUnits u{7, 13};
    const grid::GridGeometry g7 = grid::MakeGridGeometry(u);
    for (int row = 0; row < ids::kRows; ++row) {
        const RECT &label = g7.rowLabel[row], &square = g7.square[row], buttons = Place(u, kButton, row);
        EXPECT_TRUE(square.top == buttons.top && square.bottom == buttons.bottom && Inside(square, g7.squareBand) &&
                    Inside(square, Place(u, kSquareBox, 0)) && label.right <= Place(u, kGoods, row).left &&
                    Inside(Place(u, kNumber, row), label) && Inside(label, g7.rowLabelFrameBand) &&
                    (row == 19 || label.bottom < g7.rowLabel[row + 1].top)) << "row " << row;
    }
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
