// Hover and drag feedback of the mouse move, read back from the pixels of
// the visible window.
#include "grid/GridWindow.h"

namespace {

constexpr COLORREF kMarkerFill = 0xC6C3C6;
constexpr COLORREF kMarkerOutline = 0x646464;

}  // namespace

class GridMouseMove : public GridWindowTest {
protected:
    void MoveTo(POINT pt) const { MoveMouse(pt.x, pt.y); }

    // The frames now on the row labels, column headers and squares, as one
    // text per table ('.' none, 'e' etched, 'f' flat), e.g. "..f.....".
    static char Letter(FrameKind kind) {
        return kind == FrameKind::kEtched ? 'e' : kind == FrameKind::kFlat ? 'f' : '.';
    }
    std::string LabelFrames() const {
        const ClientPixels pixels = Pixels();
        std::string s;
        for (const RECT& r : dlg->m_rcRowLabel) s += Letter(FrameOn(pixels, r));
        return s;
    }
    std::string HeaderFrames() const {
        const ClientPixels pixels = Pixels();
        std::string s;
        for (const RECT& r : dlg->m_rcColumnHeader) s += Letter(FrameOn(pixels, r));
        return s;
    }
    std::string SquareFrames() const {
        const ClientPixels pixels = Pixels();
        std::string s;
        for (const RECT& r : dlg->m_rcSquare) s += Letter(FrameOn(pixels, r));
        return s;
    }
    static std::string Only(int count, int index, char letter, char rest = '.') {
        std::string s(count, rest);
        if (index >= 0) s[index] = letter;
        return s;
    }
};

TEST_F(GridMouseMove, HoverFramesFollowThePointer) {
    Open();
    Show();
    const std::string noLabels(ids::kRows, '.');
    const std::string noHeaders(ids::kColumns, '.');

    MoveTo(Centre(dlg->m_rcRowLabel[5]));
    EXPECT_EQ(LabelFrames(), Only(ids::kRows, 5, 'f'));
    EXPECT_EQ(dlg->m_nHoverRow, 5);

    MoveTo(Centre(dlg->m_rcRowLabel[6]));
    EXPECT_EQ(LabelFrames(), Only(ids::kRows, 6, 'f')) << "the previous frame is gone";

    MoveTo(Centre(dlg->m_rcColumnHeader[3]));
    EXPECT_EQ(LabelFrames(), noLabels);
    EXPECT_EQ(HeaderFrames(), Only(ids::kColumns, 3, 'f'));
    EXPECT_EQ(dlg->m_nHoverColumn, 3);

    MoveTo(Centre(dlg->m_rcSquare[7]));
    EXPECT_EQ(HeaderFrames(), noHeaders);
    EXPECT_EQ(SquareFrames(), Only(ids::kRows, 7, 'f'));
    EXPECT_EQ(dlg->m_nHoverSquare, 7);

    // Moving on the same item frames it again.
    MoveTo({dlg->m_rcSquare[7].left, dlg->m_rcSquare[7].top});
    EXPECT_EQ(SquareFrames(), Only(ids::kRows, 7, 'f'));

    // Off every item: no frame, the square shows its outline again, the
    // hover members keep the last items.
    MoveTo({100, 100});
    EXPECT_EQ(LabelFrames(), noLabels);
    EXPECT_EQ(HeaderFrames(), noHeaders);
    EXPECT_EQ(SquareFrames(), noLabels);
    const RECT& square = dlg->m_rcSquare[7];
    EXPECT_EQ(Pixels().At(square.left, square.top), kMarkerOutline);
    EXPECT_EQ(dlg->m_nHoverRow, 6);
    EXPECT_EQ(dlg->m_nHoverColumn, 3);
    EXPECT_EQ(dlg->m_nHoverSquare, 7);

    // x = 34 is in no label: no frame there.
    MoveTo({34, Centre(dlg->m_rcRowLabel[2]).y});
    EXPECT_EQ(LabelFrames(), noLabels);
}

TEST_F(GridMouseMove, DragSourceFrameFlatWithNumbersEtchedWithout) {
    Open();
    Show();
    Click(ids::kNumbers);
    ASSERT_EQ(Check(ids::kNumbers), BST_CHECKED);
    dlg->m_nDragRow = 2;
    dlg->m_nLastDragRow = 2;
    MoveTo(Centre(dlg->m_rcRowLabel[6]));
    std::string expected(ids::kRows, 'e');
    expected[2] = 'f';
    expected[6] = 'f';
    EXPECT_EQ(LabelFrames(), expected);
    EXPECT_EQ(dlg->m_nDragRow, 2);

    Click(ids::kNumbers);
    ASSERT_EQ(Check(ids::kNumbers), BST_UNCHECKED);
    MoveTo(Centre(dlg->m_rcRowLabel[9]));
    expected = std::string(ids::kRows, '.');
    expected[2] = 'e';
    expected[9] = 'f';
    EXPECT_EQ(LabelFrames(), expected);

    // A column drag marks its source with the etched frame, "N" or not.
    dlg->m_nDragColumn = 1;
    dlg->m_nLastDragColumn = 1;
    MoveTo(Centre(dlg->m_rcColumnHeader[4]));
    EXPECT_EQ(HeaderFrames(), ".e..f..");
    EXPECT_EQ(dlg->m_nDragRow, kNoDrag) << "the pointer left the row labels";
    Click(ids::kNumbers);
    MoveTo(Centre(dlg->m_rcColumnHeader[5]));
    EXPECT_EQ(HeaderFrames(), ".e...f.");
    EXPECT_EQ(dlg->m_nDragColumn, 1);
}

TEST_F(GridMouseMove, LeavingTheBandEndsTheDragForGood) {
    Open();
    Show();
    dlg->m_nDragRow = 2;
    dlg->m_nLastDragRow = 2;
    dlg->m_nDragColumn = 1;
    dlg->m_nLastDragColumn = 1;
    const int y = Centre(dlg->m_rcRowLabel[6]).y;

    // x = 34 is still inside the row-label band: the row drag goes on, but
    // no label is framed there.
    MoveMouse(34, y);
    EXPECT_EQ(dlg->m_nDragRow, 2);
    EXPECT_EQ(dlg->m_nDragColumn, kNoDrag);
    EXPECT_EQ(LabelFrames(), std::string(ids::kRows, '.'));

    MoveMouse(35, y);
    EXPECT_EQ(dlg->m_nDragRow, kNoDrag);

    // Back on a label: the drag does not resume, the source is not marked.
    MoveTo(Centre(dlg->m_rcRowLabel[6]));
    EXPECT_EQ(dlg->m_nDragRow, kNoDrag);
    EXPECT_EQ(LabelFrames(), Only(ids::kRows, 6, 'f'));
    EXPECT_EQ(dlg->m_nLastDragRow, 2) << "the last drag is remembered";

    // A column drag lasts while the pointer stays in the header band, also
    // between two headers.
    dlg->m_nDragColumn = 1;
    MoveMouse(360, 20);
    EXPECT_EQ(dlg->m_nDragColumn, 1);
    EXPECT_EQ(HeaderFrames(), std::string(ids::kColumns, '.'));
    MoveMouse(360, 40);
    EXPECT_EQ(dlg->m_nDragColumn, kNoDrag);
    MoveTo(Centre(dlg->m_rcColumnHeader[2]));
    EXPECT_EQ(dlg->m_nDragColumn, kNoDrag);
    EXPECT_EQ(HeaderFrames(), "..f....");
}

TEST_F(GridMouseMove, SeparatorMarkerUnderThePointer) {
    Open();
    Show();
    const RECT s = dlg->m_rcSeparator[3];
    MoveMouse(295, s.top + 5);
    {
        const ClientPixels pixels = Pixels();
        for (int y = s.top; y < s.bottom; ++y) {
            for (int x = s.left; x < s.right; ++x) {
                const bool edge = x == s.left || x == s.right - 1 || y == s.top || y == s.bottom - 1;
                ASSERT_EQ(pixels.At(x, y), edge ? kMarkerOutline : kMarkerFill) << x << "," << y;
            }
        }
        // No other separator is marked.
        const RECT other = dlg->m_rcSeparator[4];
        EXPECT_NE(pixels.At(295, other.top + 5), kMarkerFill);
    }

    // The next move repaints the strip: the marker moves with the pointer.
    MoveMouse(295, dlg->m_rcSeparator[4].top);
    {
        const ClientPixels pixels = Pixels();
        EXPECT_NE(pixels.At(295, s.top + 5), kMarkerFill);
        EXPECT_EQ(pixels.At(295, dlg->m_rcSeparator[4].top + 5), kMarkerFill);
    }
    MoveMouse(100, 100);
    const ClientPixels pixels = Pixels();
    const grid::GridGeometry g = Geometry();
    for (int y = g.separatorStrip.top; y < g.separatorStrip.bottom; ++y) {
        for (int x = g.separatorStrip.left; x < g.separatorStrip.right; ++x) {
            ASSERT_NE(pixels.At(x, y), kMarkerFill) << x << "," << y;
        }
    }
}
