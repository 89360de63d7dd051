// The window as the platform laid it out: the window's own geometry lies
// over the controls, its hit tests find the entries under their texts, and
// the window fits a 1280 x 1024 screen.
#include "grid/GridWindow.h"

#include <cstdlib>
#include <map>

using GridLayout = GridWindowTest;

TEST_F(GridLayout, GeometryLiesOverTheControls) {
    Open();
    Show();
    const RECT frame = RectInParent(Wnd());  // only its size counts here
    EXPECT_TRUE(frame.right - frame.left <= 1280 && frame.bottom - frame.top <= 1024) << "fits the screen";
    // The statics and group boxes (the controls without an id) by text, left to right.
    std::map<std::string, std::vector<RECT>> texts;
    for (HWND child = ::GetWindow(Wnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == -1) texts[dialogkit::WindowText(child, 256)].push_back(RectInParent(child));
    }
    const grid::GridGeometry g = Geometry();
    const RECT gap{texts["Liste"].at(0).right, 0, texts["A"].at(0).left, 0};  // between the list and column A
    for (int row = 0; row < ids::kRows; ++row) {
        SCOPED_TRACE(testing::Message() << "row " << row + 1);
        const RECT &s = g.square[row], button = ItemRect(ids::Selection(row, 0));
        const RECT number = texts[std::to_string(101 + row).substr(1)].at(0);  // "01".."20"
        // The square spans the row's buttons in the strip at the right edge;
        // the label holds the row's number, and ends where the goods begin.
        EXPECT_TRUE(s.top == button.top && s.bottom == button.bottom && Inside(s, texts[""].at(0)));
        EXPECT_TRUE(Inside(number, g.rowLabel[row]) && grid::RowLabelAt(g, Centre(number)) == row);
        EXPECT_LE(g.rowLabel[row].right, ItemRect(ids::Goods(row)).left);
        if (row + 1 == ids::kRows) continue;
        // The separator below the row lies in the gap between its controls.
        const int y = g.separatorLineY[row];
        EXPECT_TRUE(button.bottom <= y && y < ItemRect(ids::Goods(row + 1)).top);
        EXPECT_EQ(grid::SeparatorAt(g, {(gap.left + gap.right) / 2, y}), row);
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        const RECT &header = g.columnHeader[column], box = texts[ids::ColumnLetter(column)].at(0);
        const RECT choice = texts["Auswahl :"].at(column);
        EXPECT_TRUE(header.left >= box.left && header.right <= box.right && Inside(choice, header) &&
                    grid::ColumnHeaderAt(g, Centre(choice)) == column) << "column " << column;
    }
    // The grid lines run across the goods and price edits; a row drag goes
    // on up to the goods.
    EXPECT_LE(std::abs(g.gridLine.from - ItemRect(ids::Goods(0)).left), 1);
    EXPECT_LE(std::abs(g.gridLine.to - ItemRect(ids::Price(0)).right), 1);
    EXPECT_EQ(g.rowLabelBand.right, g.goods[0].left);
}
