// Hit tests at the edges of the tables, and the painted and clickable areas
// over their controls: in the live window, and on the template's layout for
// a font that measures 7x13.
#include "grid/GridWindow.h"

#include <array>

namespace {

enum Control { kGoods, kPrice, kNumber, kButton, kBox, kChoice, kList, kSquareBox };

// Where the platform puts a control of the main template: position and size
// in dialog units, each rounded on its own; a row steps the position by the
// last number, a column by the one before.
RECT Place(grid::DialogUnits u, Control c, int row = 0, int column = 0) {
    constexpr int kTemplate[][6] = {{23, 26, 135, 12, 0, 14},  {159, 26, 31, 12, 0, 14}, {12, 28, 9, 8, 0, 14},
                                    {205, 27, 28, 11, 44, 14}, {197, 4, 44, 339, 44, 0}, {203, 14, 32, 8, 44, 0},
                                    {6, 4, 188, 322, 0, 0},    {508, 4, 15, 339, 0, 0}};
    const int* t = kTemplate[c];
    const int left = ::MulDiv(t[0] + t[4] * column, u.across, 4), top = ::MulDiv(t[1] + t[5] * row, u.down, 8);
    return {left, top, left + ::MulDiv(t[2], u.across, 4), top + ::MulDiv(t[3], u.down, 8)};
}

bool In(const RECT& a, const RECT& b) { return a.left >= b.left && a.right <= b.right && a.top >= b.top && a.bottom <= b.bottom; }

void ExpectOverTheControls(grid::DialogUnits u, const grid::GridGeometry& g) {
    SCOPED_TRACE(testing::Message() << u.across << "x" << u.down);
    for (int row = 0; row < ids::kRows; ++row) {
        const RECT &square = g.square[row], &label = g.rowLabel[row], &goods = g.goods[row];
        const RECT edit = Place(u, kGoods, row), buttons = Place(u, kButton, row);
        EXPECT_TRUE(square.top == buttons.top && square.bottom == buttons.bottom && In(square, Place(u, kSquareBox)));
        EXPECT_TRUE(label.right <= edit.left && label.top <= edit.top && label.bottom >= edit.bottom &&
                    In(Place(u, kNumber, row), label) && (row == 19 || label.bottom < g.rowLabel[row + 1].top));
        EXPECT_TRUE(std::abs(goods.left - edit.left) <= 1 && goods.right >= edit.right && goods.top == label.top &&
                    goods.bottom == label.bottom && goods.right <= Place(u, kPrice, row).left);
        EXPECT_TRUE(In(label, g.rowLabelFrameBand) && In(goods, g.goodsBand) && In(square, g.squareBand)) << row;
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        const RECT &header = g.columnHeader[column], box = Place(u, kBox, 0, column);
        const RECT caption{box.left + 7, box.top, box.left + 7 + 2 * u.across, box.top + u.down};  // two letters
        EXPECT_TRUE(header.left >= box.left && header.right <= box.right && In(caption, header) &&
                    In(Place(u, kChoice, 0, column), header) && In(header, g.columnHeaderBand)) << column;
    }
    for (int gap = 0; gap < ids::kSeparators; ++gap) {  // in the gap between the list and column A
        const RECT& s = g.separator[gap];
        const int y = g.separatorLineY[gap];
        EXPECT_TRUE(s.left <= Place(u, kList).right && s.right >= Place(u, kBox).left && In(s, g.separatorStrip) &&
                    y >= s.top && y < s.bottom && Place(u, kButton, gap).bottom <= y &&
                    y < Place(u, kButton, gap + 1).top && Place(u, kGoods, gap).bottom <= y) << gap;
    }
    for (int i = 0; i < grid::ref::kGridLines; ++i) {  // above rows 01, 06, 11, 16 and below row 20
        const int y = g.gridLineY[i], above = i ? Place(u, kGoods, 5 * i - 1).bottom : Place(u, kChoice).bottom;
        EXPECT_TRUE(above <= y && (i == 4 || y < Place(u, kGoods, 5 * i).top)) << "grid line " << i;
    }
}

}  // namespace

TEST(GridHitTest, EdgesFollowTheRectangleRule) {
    const grid::GridGeometry g = grid::MakeGridGeometry(grid::kReferenceUnits);
    using HitTest = int (*)(const grid::GridGeometry&, POINT);
    // x, y, the entry hit. Labels end at x = 34; y = 62 is the seam of rows 01 and 02.
    const std::vector<std::pair<HitTest, std::vector<std::array<int, 3>>>> tables = {
        {grid::RowLabelAt, {{33, 50, 0}, {34, 50, -1}, {14, 41, 0}, {13, 50, -1}, {20, 61, 0}, {20, 62, -1},
                            {20, 63, 1}, {20, 495, 19}, {20, 496, -1}, {20, 40, -1}}},
        {grid::GoodsAt, {{35, 50, 0}, {34, 50, -1}, {237, 495, 19}, {238, 100, -1}, {100, 62, -1}, {100, 63, 1}}},
        {grid::SquareAt, {{765, 494, -1}, {765, 493, 19}, {781, 44, 0}, {782, 44, -1}, {770, 65, -1}, {770, 67, 1}}},
        {grid::ColumnHeaderAt, {{301, 20, -1}, {302, 6, 0}, {355, 39, 0}, {356, 20, -1}, {368, 20, 1}, {751, 20, 6},
                                {752, 20, -1}, {400, 40, -1}, {400, 5, -1}}},
        {grid::SeparatorAt, {{288, 56, 0}, {302, 70, 0}, {303, 60, -1}, {287, 60, -1}, {295, 71, -1}, {295, 78, 1},
                             {295, 480, 18}, {295, 481, -1}, {295, 55, -1}}}};
    for (const auto& [at, hits] : tables) {
        for (const auto& [x, y, index] : hits) EXPECT_EQ(at(g, {x, y}), index) << x << "," << y;
    }
    // x = 34 is still in the row-label band, where a row drag goes on.
    EXPECT_TRUE(grid::Contains(g.rowLabelBand, {34, 50}) && !grid::Contains(g.rowLabelFrameBand, {34, 50}));
    EXPECT_TRUE(grid::Contains(g.goodsBand, {35, 62}) && !grid::Contains(g.rowLabelBand, {35, 50}));
}

TEST(GridGeometry, StaysOverTheControlsWhenTheFontMeasures7x13) {
    for (const grid::DialogUnits u : {grid::kReferenceUnits, grid::DialogUnits{7, 13}}) {
        ExpectOverTheControls(u, grid::MakeGridGeometry(u));
    }
}

TEST_F(GridWindowTest, LiveWindowMeasures6x13AndHasTheTemplatesLayout) {
    Open();
    RECT units{0, 0, 4, 8};
    ::MapDialogRect(Wnd(), &units);
    ASSERT_EQ(AsLtrb(units), Ltrb(0, 0, 6, 13)) << "a prefix falling back to another font shifts every pixel";
    const grid::DialogUnits u = grid::kReferenceUnits;
    for (const ChildInfo& c : Children(Wnd())) {
        const int row = (c.id - ids::kGoodsBase) % ids::kRows, kind = (c.id - ids::kGoodsBase) / ids::kRows;
        const RECT edit = kind ? Place(u, kPrice, row) : Place(u, kGoods, row);
        if (c.id >= ids::kGoodsBase && c.id < ids::kNameBase) {
            EXPECT_EQ(AsLtrb(c.rect), AsLtrb(kind < 2 ? edit : Place(u, kButton, row, kind - 2))) << c.id;
        } else if (c.className == "Button" && (c.style & BS_TYPEMASK) == BS_GROUPBOX && c.text.size() == 1) {
            EXPECT_EQ(AsLtrb(c.rect), AsLtrb(Place(u, kBox, 0, c.text[0] - 'A'))) << c.text;
        } else if (c.text.size() == 2 && c.text[0] <= '2' && c.text[1] >= '0' && c.text[1] <= '9') {
            EXPECT_EQ(AsLtrb(c.rect), AsLtrb(Place(u, kNumber, std::stoi(c.text) - 1))) << c.text;
        }
    }
    ExpectOverTheControls(u, Geometry());
}
