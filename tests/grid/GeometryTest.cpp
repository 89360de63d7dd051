// The geometry tables, their bands and hit tests, at the reference font
// metrics of the real window and scaled to other dialog-unit sizes.
#include "grid/GridWindow.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

using grid::DialogUnits;
using grid::GridGeometry;

// Row by row: top, bottom, square top, square bottom, separator hit top and
// bottom, separator line y (the last row has no separator).
struct RowNumbers {
    int top, bottom, squareTop, squareBottom, separatorTop, separatorBottom, lineY;
};
constexpr RowNumbers kRowNumbers[ids::kRows] = {
    {41, 62, 44, 62, 56, 71, 63},         {63, 85, 67, 85, 78, 93, 85},
    {86, 108, 89, 107, 101, 116, 108},    {109, 131, 112, 130, 124, 139, 131},
    {132, 154, 135, 153, 147, 162, 154},  {155, 177, 158, 176, 170, 185, 177},
    {178, 200, 180, 198, 193, 208, 200},  {201, 222, 203, 221, 216, 231, 223},
    {223, 245, 226, 244, 238, 253, 245},  {246, 268, 249, 267, 261, 276, 268},
    {269, 291, 271, 289, 284, 299, 291},  {292, 314, 294, 312, 307, 322, 314},
    {315, 336, 317, 335, 330, 345, 337},  {337, 359, 340, 358, 352, 367, 359},
    {360, 382, 362, 380, 375, 390, 382},  {383, 405, 385, 403, 398, 413, 405},
    {406, 428, 408, 426, 421, 436, 428},  {429, 450, 431, 449, 444, 459, 451},
    {451, 473, 453, 471, 466, 481, 473},  {474, 496, 476, 494, 0, 0, 0},
};
constexpr int kHeaderLeft[ids::kColumns] = {302, 368, 434, 500, 566, 632, 698};
constexpr int kHeaderRight[ids::kColumns] = {356, 422, 488, 554, 620, 686, 752};

// The reference tables, entry for entry, in the dialog's members and in the
// geometry its handlers compute.
void ExpectReferenceTables(const RECT* rowLabel, const RECT* goods, const RECT* square, const RECT* header,
                           const RECT* separator) {
    for (int row = 0; row < ids::kRows; ++row) {
        const RowNumbers& n = kRowNumbers[row];
        EXPECT_EQ(AsLtrb(rowLabel[row]), Ltrb(14, n.top, 34, n.bottom)) << "row label " << row;
        EXPECT_EQ(AsLtrb(goods[row]), Ltrb(35, n.top, 238, n.bottom)) << "goods " << row;
        EXPECT_EQ(AsLtrb(square[row]), Ltrb(765, n.squareTop, 782, n.squareBottom)) << "square " << row;
        if (row < ids::kSeparators) {
            EXPECT_EQ(AsLtrb(separator[row]), Ltrb(288, n.separatorTop, 303, n.separatorBottom))
                << "separator " << row;
        }
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        EXPECT_EQ(AsLtrb(header[column]), Ltrb(kHeaderLeft[column], 6, kHeaderRight[column], 40))
            << "header " << column;
    }
}

void ExpectReferenceBandsAndLines(const GridGeometry& g) {
    EXPECT_EQ(AsLtrb(g.rowLabelBand), Ltrb(14, 41, 35, 496));
    EXPECT_EQ(AsLtrb(g.rowLabelFrameBand), Ltrb(14, 41, 34, 496));
    EXPECT_EQ(AsLtrb(g.goodsBand), Ltrb(35, 41, 238, 496));
    EXPECT_EQ(AsLtrb(g.columnHeaderBand), Ltrb(302, 6, 752, 40));
    EXPECT_EQ(AsLtrb(g.squareBand), Ltrb(765, 44, 782, 494));
    EXPECT_EQ(AsLtrb(g.separatorStrip), Ltrb(288, 56, 303, 488));

    const int lineY[] = {40, 154, 268, 382, 496};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g.gridLineY[i], lineY[i]);
    EXPECT_EQ(g.gridLine.from, 35);
    EXPECT_EQ(g.gridLine.to, 285);
    const int tickFrom[] = {298, 355, 421, 487, 553, 619, 685, 751};
    const int tickTo[] = {303, 369, 435, 501, 567, 633, 699, 756};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(g.gridTicks[i].from, tickFrom[i]) << "tick " << i;
        EXPECT_EQ(g.gridTicks[i].to, tickTo[i]) << "tick " << i;
    }
    for (int gap = 0; gap < ids::kSeparators; ++gap) {
        EXPECT_EQ(g.separatorLineY[gap], kRowNumbers[gap].lineY) << "separator line " << gap;
    }
    EXPECT_EQ(g.separatorLine.from, 35);
    EXPECT_EQ(g.separatorLine.to, 756);
}

}  // namespace

class GridGeometryWindow : public MainDialogTest {};

TEST_F(GridGeometryWindow, ReferenceMetricsGiveTheTablesExactly) {
    Open();
    const DialogUnits units = grid::MeasureDialogUnits(Wnd());
    ASSERT_EQ(units.across, 6);
    ASSERT_EQ(units.down, 13);

    ExpectReferenceTables(dlg->m_rcRowLabel, dlg->m_rcGoods, dlg->m_rcSquare, dlg->m_rcColumnHeader,
                          dlg->m_rcSeparator);
    const GridGeometry g = grid::GeometryOf(Wnd());
    ExpectReferenceTables(g.rowLabel.data(), g.goods.data(), g.square.data(), g.columnHeader.data(),
                          g.separator.data());
    ExpectReferenceBandsAndLines(g);
}

TEST(GridGeometry, ReferenceUnitsLeaveEveryNumberAsItIs) {
    const GridGeometry g = grid::MakeGridGeometry(grid::kReferenceUnits);
    ExpectReferenceTables(g.rowLabel.data(), g.goods.data(), g.square.data(), g.columnHeader.data(),
                          g.separator.data());
    ExpectReferenceBandsAndLines(g);
    for (int v = -3; v < 1000; ++v) {
        ASSERT_EQ(grid::ScaleX(grid::kReferenceUnits, v), v);
        ASSERT_EQ(grid::ScaleY(grid::kReferenceUnits, v), v);
    }
}

TEST(GridGeometry, ScalingRoundsToTheNearestPixel) {
    const DialogUnits wide{7, 13};
    EXPECT_EQ(grid::ScaleX(wide, 6), 7);
    EXPECT_EQ(grid::ScaleX(wide, 3), 4);  // 3.5: halves round up
    EXPECT_EQ(grid::ScaleX(wide, 14), 16);  // 16.33
    EXPECT_EQ(grid::ScaleX(wide, 34), 40);  // 39.67
    EXPECT_EQ(grid::ScaleX(wide, 765), 893);  // 892.5
    EXPECT_EQ(grid::ScaleY(wide, 41), 41);
    const DialogUnits large{8, 16};
    EXPECT_EQ(grid::ScaleY(large, 13), 16);
    EXPECT_EQ(grid::ScaleY(large, 62), 76);  // 76.31
    EXPECT_EQ(grid::ScaleY(large, 63), 78);  // 77.54
    EXPECT_EQ(AsLtrb(grid::ScaleRect(wide, RECT{14, 41, 34, 62})), Ltrb(16, 41, 40, 62));
}

TEST(GridHitTest, EdgesFollowTheRectangleRule) {
    const GridGeometry g = grid::MakeGridGeometry(grid::kReferenceUnits);

    // x = 34 is inside the row-label band but right of every label; 35
    // starts the goods band.
    EXPECT_TRUE(grid::Contains(g.rowLabelBand, POINT{34, 50}));
    EXPECT_EQ(grid::RowLabelAt(g, {34, 50}), -1);
    EXPECT_EQ(grid::RowLabelAt(g, {33, 50}), 0);
    EXPECT_EQ(grid::RowLabelAt(g, {14, 41}), 0);
    EXPECT_EQ(grid::RowLabelAt(g, {13, 50}), -1);
    EXPECT_FALSE(grid::Contains(g.rowLabelFrameBand, POINT{34, 50}));
    EXPECT_TRUE(grid::Contains(g.goodsBand, POINT{35, 50}));
    EXPECT_FALSE(grid::Contains(g.rowLabelBand, POINT{35, 50}));
    EXPECT_EQ(grid::GoodsAt(g, {35, 50}), 0);
    EXPECT_EQ(grid::GoodsAt(g, {34, 50}), -1);
    EXPECT_EQ(grid::GoodsAt(g, {237, 495}), 19);
    EXPECT_EQ(grid::GoodsAt(g, {238, 100}), -1);

    // The seam y = 62 between rows 01 and 02 belongs to neither.
    EXPECT_EQ(grid::RowLabelAt(g, {20, 61}), 0);
    EXPECT_EQ(grid::RowLabelAt(g, {20, 62}), -1);
    EXPECT_EQ(grid::RowLabelAt(g, {20, 63}), 1);
    EXPECT_EQ(grid::GoodsAt(g, {100, 61}), 0);
    EXPECT_EQ(grid::GoodsAt(g, {100, 62}), -1);
    EXPECT_EQ(grid::GoodsAt(g, {100, 63}), 1);
    EXPECT_TRUE(grid::Contains(g.goodsBand, POINT{100, 62})) << "inside the band, between the rows";
    EXPECT_EQ(grid::RowLabelAt(g, {20, 495}), 19);
    EXPECT_EQ(grid::RowLabelAt(g, {20, 496}), -1);
    EXPECT_EQ(grid::RowLabelAt(g, {20, 40}), -1);

    // The square band ends at 494.
    EXPECT_FALSE(grid::Contains(g.squareBand, POINT{765, 494}));
    EXPECT_EQ(grid::SquareAt(g, {765, 494}), -1);
    EXPECT_EQ(grid::SquareAt(g, {765, 493}), 19);
    EXPECT_EQ(grid::SquareAt(g, {781, 44}), 0);
    EXPECT_EQ(grid::SquareAt(g, {782, 44}), -1);
    EXPECT_EQ(grid::SquareAt(g, {770, 62}), -1);
    EXPECT_EQ(grid::SquareAt(g, {770, 67}), 1);
    EXPECT_EQ(grid::SquareAt(g, {770, 65}), -1) << "between two squares";

    // Column headers, with the gaps between them.
    EXPECT_EQ(grid::ColumnHeaderAt(g, {301, 20}), -1);
    EXPECT_EQ(grid::ColumnHeaderAt(g, {302, 6}), 0);
    EXPECT_EQ(grid::ColumnHeaderAt(g, {355, 39}), 0);
    EXPECT_EQ(grid::ColumnHeaderAt(g, {356, 20}), -1);
    EXPECT_EQ(grid::ColumnHeaderAt(g, {368, 20}), 1);
    EXPECT_EQ(grid::ColumnHeaderAt(g, {751, 20}), 6);
    EXPECT_EQ(grid::ColumnHeaderAt(g, {752, 20}), -1);
    EXPECT_EQ(grid::ColumnHeaderAt(g, {400, 40}), -1);
    EXPECT_EQ(grid::ColumnHeaderAt(g, {400, 5}), -1);

    // Separators in the gap between the list and column A.
    EXPECT_EQ(grid::SeparatorAt(g, {288, 56}), 0);
    EXPECT_EQ(grid::SeparatorAt(g, {302, 70}), 0);
    EXPECT_EQ(grid::SeparatorAt(g, {303, 60}), -1);
    EXPECT_EQ(grid::SeparatorAt(g, {287, 60}), -1);
    EXPECT_EQ(grid::SeparatorAt(g, {295, 71}), -1);
    EXPECT_EQ(grid::SeparatorAt(g, {295, 78}), 1);
    EXPECT_EQ(grid::SeparatorAt(g, {295, 480}), 18);
    EXPECT_EQ(grid::SeparatorAt(g, {295, 481}), -1);
    EXPECT_EQ(grid::SeparatorAt(g, {295, 55}), -1);

    // Every entry is hit at its corners and nowhere outside them.
    for (int row = 0; row < ids::kRows; ++row) {
        const RECT& label = g.rowLabel[row];
        EXPECT_EQ(grid::RowLabelAt(g, {label.left, label.top}), row);
        EXPECT_EQ(grid::RowLabelAt(g, {label.right - 1, label.bottom - 1}), row);
        EXPECT_EQ(grid::RowLabelAt(g, {label.left, label.bottom}), -1);
        const RECT& square = g.square[row];
        EXPECT_EQ(grid::SquareAt(g, {square.left, square.top}), row);
        EXPECT_EQ(grid::SquareAt(g, {square.right - 1, square.bottom - 1}), row);
        EXPECT_EQ(grid::SquareAt(g, {square.left, square.top - 1}), -1);
    }
    for (int gap = 0; gap < ids::kSeparators; ++gap) {
        const RECT& s = g.separator[gap];
        EXPECT_EQ(grid::SeparatorAt(g, {s.left, s.top}), gap);
        EXPECT_EQ(grid::SeparatorAt(g, {s.right - 1, s.bottom - 1}), gap);
        EXPECT_EQ(grid::SeparatorAt(g, {s.left, s.bottom}), -1);
    }
}

namespace {

// Where the platform puts a control of the main template: each dialog unit
// position and size rounded on its own.
RECT Place(DialogUnits u, int x, int y, int cx, int cy) {
    const int left = ::MulDiv(x, u.across, 4);
    const int top = ::MulDiv(y, u.down, 8);
    return RECT{left, top, left + ::MulDiv(cx, u.across, 4), top + ::MulDiv(cy, u.down, 8)};
}

// The controls of template 102 that the geometry lies over.
struct Template {
    static RECT GoodsEdit(DialogUnits u, int row) { return Place(u, 23, 26 + 14 * row, 135, 12); }
    static RECT PriceEdit(DialogUnits u, int row) { return Place(u, 159, 26 + 14 * row, 31, 12); }
    static RECT Button(DialogUnits u, int row, int column) {
        return Place(u, 205 + 44 * column, 27 + 14 * row, 28, 11);
    }
    static RECT RowNumber(DialogUnits u, int row) { return Place(u, 12, 28 + 14 * row, 9, 8); }
    static RECT ColumnBox(DialogUnits u, int column) { return Place(u, 197 + 44 * column, 4, 44, 339); }
    static RECT ChoiceText(DialogUnits u, int column) { return Place(u, 203 + 44 * column, 14, 32, 8); }
    static RECT ListBox(DialogUnits u) { return Place(u, 6, 4, 188, 322); }
    static RECT SquareBox(DialogUnits u) { return Place(u, 508, 4, 15, 339); }
};

// The caption of a group box starts a fixed 7 pixels in from its left edge
// and is one line high; the headers' letters need two average characters.
constexpr int kCaptionInset = 7;

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

void ExpectOverTheControls(DialogUnits u) {
    SCOPED_TRACE(testing::Message() << "dialog units " << u.across << "x" << u.down);
    const GridGeometry g = grid::MakeGridGeometry(u);

    for (int row = 0; row < ids::kRows; ++row) {
        SCOPED_TRACE(testing::Message() << "row " << row);
        // The square spans exactly the height of the row's selection buttons,
        // inside the group box at the right edge.
        const RECT& square = g.square[row];
        for (int column = 0; column < ids::kColumns; ++column) {
            const RECT button = Template::Button(u, row, column);
            EXPECT_EQ(square.top, button.top);
            EXPECT_EQ(square.bottom, button.bottom);
        }
        const RECT box = Template::SquareBox(u);
        EXPECT_GT(square.left, box.left);
        EXPECT_LT(square.right, box.right);

        // The label lies left of the goods edit, covers its height and the
        // row number's text.
        const RECT& label = g.rowLabel[row];
        const RECT edit = Template::GoodsEdit(u, row);
        EXPECT_LE(label.right, edit.left);
        EXPECT_LE(label.top, edit.top);
        EXPECT_GE(label.bottom, edit.bottom);
        EXPECT_TRUE(Inside(Template::RowNumber(u, row), label));

        // The goods rectangle lies over the goods edit, short of the price.
        const RECT& goods = g.goods[row];
        EXPECT_LE(std::abs(goods.left - edit.left), 1);
        EXPECT_GE(goods.right, edit.right);
        EXPECT_LE(goods.right, Template::PriceEdit(u, row).left);
        EXPECT_EQ(goods.top, label.top);
        EXPECT_EQ(goods.bottom, label.bottom);
        if (row + 1 < ids::kRows) {
            EXPECT_LT(label.bottom, g.rowLabel[row + 1].top) << "a seam between rows";
        }
    }

    for (int column = 0; column < ids::kColumns; ++column) {
        SCOPED_TRACE(testing::Message() << "column " << column);
        // The header lies inside its column's group box, over the caption
        // line and the "Auswahl :" text.
        const RECT& header = g.columnHeader[column];
        const RECT box = Template::ColumnBox(u, column);
        EXPECT_GE(header.left, box.left);
        EXPECT_LE(header.right, box.right);
        const RECT caption{box.left + kCaptionInset, box.top, box.left + kCaptionInset + 2 * u.across,
                           box.top + u.down};
        EXPECT_TRUE(Inside(caption, header));
        EXPECT_TRUE(Inside(Template::ChoiceText(u, column), header));
    }

    // Each separator covers the gap between the list and column A; its line
    // runs between the controls of its row and the next.
    const int gapLeft = Template::ListBox(u).right;
    const int gapRight = Template::ColumnBox(u, 0).left;
    for (int gap = 0; gap < ids::kSeparators; ++gap) {
        SCOPED_TRACE(testing::Message() << "gap " << gap);
        const RECT& s = g.separator[gap];
        EXPECT_LE(s.left, gapLeft);
        EXPECT_GE(s.right, gapRight);
        const int y = g.separatorLineY[gap];
        EXPECT_GE(y, s.top);
        EXPECT_LT(y, s.bottom);
        EXPECT_LE(Template::GoodsEdit(u, gap).bottom, y);
        EXPECT_LT(y, Template::GoodsEdit(u, gap + 1).top);
        EXPECT_LE(Template::Button(u, gap, 0).bottom, y);
        EXPECT_LT(y, Template::Button(u, gap + 1, 0).top);
        EXPECT_TRUE(grid::Contains(g.separatorStrip, POINT{s.left, s.top}));
        EXPECT_TRUE(grid::Contains(g.separatorStrip, POINT{s.right - 1, s.bottom - 1}));
    }
    EXPECT_LE(std::abs(g.separatorLine.from - Template::GoodsEdit(u, 0).left), 1);
    EXPECT_GT(g.separatorLine.to, Template::Button(u, 0, ids::kColumns - 1).right);
    EXPECT_LT(g.separatorLine.to, Template::SquareBox(u).left);

    // Grid lines above rows 01, 06, 11, 16 and below row 20, across the goods
    // and price edits; ticks in the gaps between the button columns.
    for (int i = 0; i < 5; ++i) {
        const int y = g.gridLineY[i];
        SCOPED_TRACE(testing::Message() << "grid line " << i);
        if (i > 0) {
            EXPECT_LE(Template::GoodsEdit(u, 5 * i - 1).bottom, y);
        } else {
            EXPECT_GE(y, Template::ChoiceText(u, 0).bottom);
        }
        if (i < 4) {
            EXPECT_LT(y, Template::GoodsEdit(u, 5 * i).top);
        }
    }
    EXPECT_LE(std::abs(g.gridLine.from - Template::GoodsEdit(u, 0).left), 1);
    EXPECT_LE(std::abs(g.gridLine.to - Template::PriceEdit(u, 0).right), 1);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(testing::Message() << "tick " << i);
        const grid::HLine tick = g.gridTicks[i];
        const int gapFrom = i == 0 ? Template::ListBox(u).right : Template::Button(u, 0, i - 1).right;
        const int gapTo = i == 7 ? Template::SquareBox(u).left : Template::Button(u, 0, i).left;
        EXPECT_GE(tick.from, gapFrom);
        EXPECT_LE(tick.to, gapTo);
        EXPECT_LT(tick.from, tick.to);
    }

    // The bands hold their tables.
    for (int row = 0; row < ids::kRows; ++row) {
        EXPECT_TRUE(Inside(g.rowLabel[row], g.rowLabelFrameBand));
        EXPECT_TRUE(Inside(g.rowLabelFrameBand, g.rowLabelBand));
        EXPECT_TRUE(Inside(g.goods[row], g.goodsBand));
        EXPECT_TRUE(Inside(g.square[row], g.squareBand));
    }
    EXPECT_EQ(g.rowLabelBand.right, g.goodsBand.left);
    for (int column = 0; column < ids::kColumns; ++column) {
        EXPECT_TRUE(Inside(g.columnHeader[column], g.columnHeaderBand));
    }
}

}  // namespace

TEST(GridGeometry, ScaledGeometryStaysOverTheControls) {
    ExpectOverTheControls(grid::kReferenceUnits);
    // Wine falling back from "MS Sans Serif" to DejaVu Sans.
    ExpectOverTheControls(DialogUnits{7, 13});
}

// The template model above is the real window's layout at the reference
// metrics, and the group box captions really lie in the headers.
class GridGeometryControls : public GridWindowTest {};

TEST_F(GridGeometryControls, TemplateModelIsTheRealLayout) {
    Open();
    const DialogUnits u = grid::MeasureDialogUnits(Wnd());
    auto rectOf = [this](int id) {
        RECT r{};
        ::GetWindowRect(Item(id), &r);
        ::MapWindowPoints(nullptr, Wnd(), reinterpret_cast<POINT*>(&r), 2);
        return AsLtrb(r);
    };
    for (int row = 0; row < ids::kRows; ++row) {
        EXPECT_EQ(rectOf(ids::Goods(row)), AsLtrb(Template::GoodsEdit(u, row)));
        EXPECT_EQ(rectOf(ids::Price(row)), AsLtrb(Template::PriceEdit(u, row)));
        for (int column = 0; column < ids::kColumns; ++column) {
            EXPECT_EQ(rectOf(ids::Selection(row, column)), AsLtrb(Template::Button(u, row, column)));
        }
    }

    int boxes = 0;
    int rowNumbers = 0;
    int choiceTexts = 0;
    Show();
    const ClientPixels pixels = Pixels();
    const GridGeometry g = grid::GeometryOf(Wnd());
    const COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
    for (const ChildInfo& child : Children(Wnd())) {
        if (child.className == "Button" && (child.style & BS_TYPEMASK) == BS_GROUPBOX) {
            if (child.text == "Liste") {
                EXPECT_EQ(AsLtrb(child.rect), AsLtrb(Template::ListBox(u)));
            }
            if (child.text.empty()) {
                EXPECT_EQ(AsLtrb(child.rect), AsLtrb(Template::SquareBox(u)));
            }
            if (child.text.size() != 1) continue;
            const int column = child.text[0] - 'A';
            ASSERT_TRUE(column >= 0 && column < ids::kColumns) << child.text;
            EXPECT_EQ(AsLtrb(child.rect), AsLtrb(Template::ColumnBox(u, column)));
            ++boxes;
            // Every pixel of the caption's ink lies inside the header.
            int inked = 0;
            for (int y = child.rect.top; y < child.rect.top + u.down; ++y) {
                for (int x = child.rect.left; x < child.rect.right; ++x) {
                    if (pixels.At(x, y) != ink) continue;
                    ++inked;
                    EXPECT_TRUE(grid::Contains(g.columnHeader[column], POINT{x, y})) << x << "," << y;
                }
            }
            EXPECT_GT(inked, 5) << "caption " << child.text;
        } else if (child.className == "Static" && child.text == "Auswahl :") {
            const int column = std::clamp(grid::ColumnHeaderAt(g, Centre(child.rect)), 0, 6);
            EXPECT_EQ(AsLtrb(child.rect), AsLtrb(Template::ChoiceText(u, column)));
            ++choiceTexts;
        } else if (child.className == "Static" && child.text.size() == 2 &&
                   std::isdigit(static_cast<unsigned char>(child.text[0])) &&
                   std::isdigit(static_cast<unsigned char>(child.text[1]))) {
            const int row = std::stoi(child.text) - 1;
            EXPECT_EQ(AsLtrb(child.rect), AsLtrb(Template::RowNumber(u, row)));
            ++rowNumbers;
        }
    }
    EXPECT_EQ(boxes, ids::kColumns);
    EXPECT_EQ(choiceTexts, ids::kColumns);
    EXPECT_EQ(rowNumbers, ids::kRows);
}
