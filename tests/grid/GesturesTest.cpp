// Mouse gestures driven with the messages a mouse produces, at the table
// coordinates and with the key-state flags a user's hands give.
#include "support/Harness.h"

#include "grid/Geometry.h"
#include "document/DocumentTestSupport.h"

namespace {

using doctest::MakeDrop;

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

class GridGestures : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        RemoveFile(TestApp().m_strConfigPath);
        Open();
        FirstPaint();
        dlg->m_bModified = FALSE;
        g = grid::GeometryOf(Wnd());
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        for (const std::string& f : files) RemoveFile(f);
        RemoveFile(TestApp().m_strConfigPath);
    }
    void Mouse(UINT msg, POINT pt, UINT flags) const {
        ::SendMessageA(Wnd(), msg, flags, MAKELPARAM(pt.x, pt.y));
    }
    // Press on one point, move, release on another, as a drag does.
    void Drag(POINT from, POINT to, UINT releaseFlags) const {
        Mouse(WM_LBUTTONDOWN, from, MK_LBUTTON | (releaseFlags & ~MK_LBUTTON));
        Mouse(WM_MOUSEMOVE, to, MK_LBUTTON | releaseFlags);
        Mouse(WM_LBUTTONUP, to, releaseFlags);
    }
    void FillRow(int row, const std::string& goods, const std::string& price, std::initializer_list<int> on) const {
        Type(ids::Goods(row), goods);
        Type(ids::Price(row), price);
        for (int column : on) dlg->SelectionButtonState(row, column, 1);
    }
    std::vector<int> States(int row) const {
        std::vector<int> s;
        for (int column = 0; column < ids::kColumns; ++column) s.push_back(Check(ids::Selection(row, column)));
        return s;
    }
    std::vector<int> ColumnStates(int column) const {
        std::vector<int> s;
        for (int row = 0; row < ids::kRows; ++row) s.push_back(Check(ids::Selection(row, column)));
        return s;
    }
    std::string WriteLinkedDocument(const std::string& title, const std::string& ini) {
        const std::string path = TestDir() + "\\" + title + ".pgx";
        WriteFileBytes(path, ini);
        files.push_back(path);
        return path;
    }
    void Link(int row, const std::string& path, int column) const {
        dlg->m_rowLinkFile[row] = path;
        dlg->m_rowLinkColumn[row] = column;
        dlg->RefreshLinkedRow(row, 0);
    }

    grid::GridGeometry g;
    std::vector<std::string> files;
};

TEST_F(GridGestures, DraggingRow03OntoRow07ExchangesEverythingButTheSeparators) {
    FillRow(2, "Brot", "2.49", {0, 3});
    const std::string longPrice = "12345678901234567890.99";  // more than a drag once carried
    FillRow(3, "Lang", longPrice, {});
    Drag(Centre(g.rowLabel[3]), Centre(g.rowLabel[4]), MK_CONTROL);
    EXPECT_EQ(Text(ids::Price(4)), longPrice);
    FillRow(6, "Milch", "1.19", {6});
    dlg->m_rowInfo[2] = RowInfo{"Info drei", "C:\\a.txt", "", 0};
    dlg->m_rowInfo[6] = RowInfo{"", "", "http://x", 1};
    dlg->m_separatorLines[2] = 1;
    dlg->m_bModified = FALSE;

    Drag(Centre(g.rowLabel[2]), Centre(g.rowLabel[6]), 0);

    EXPECT_EQ(Text(ids::Goods(2)), "Milch");
    EXPECT_EQ(Text(ids::Price(2)), "1.19");
    EXPECT_EQ(Text(ids::Goods(6)), "Brot");
    EXPECT_EQ(Text(ids::Price(6)), "2.49");
    EXPECT_EQ(States(2), std::vector<int>({0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(States(6), std::vector<int>({1, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(dlg->m_rowInfo[6].strText, "Info drei");
    EXPECT_EQ(dlg->m_rowInfo[6].nAutoOpen, 0);
    EXPECT_EQ(dlg->m_rowInfo[2].strSource2, "http://x");
    EXPECT_EQ(dlg->m_separatorLines[2], 1) << "separators stay in place";
    EXPECT_EQ(dlg->m_separatorLines[6], 0);
    EXPECT_TRUE(dlg->m_bModified);
    EXPECT_EQ(dlg->m_nDragRow, kNoDrag);
    EXPECT_EQ(dlg->m_nLastDragRow, 2);
}

TEST_F(GridGestures, CtrlCopiesAndCtrlShiftExchanges) {
    FillRow(2, "Brot", "2.49", {1});
    FillRow(6, "Milch", "1.19", {5});
    Drag(Centre(g.rowLabel[2]), Centre(g.rowLabel[6]), MK_CONTROL);
    EXPECT_EQ(Text(ids::Goods(6)), "Brot");
    EXPECT_EQ(Text(ids::Goods(2)), "Brot") << "the source stays";
    EXPECT_EQ(States(6), States(2));

    FillRow(6, "Milch", "1.19", {});
    Drag(Centre(g.rowLabel[2]), Centre(g.rowLabel[6]), MK_CONTROL | MK_SHIFT);
    EXPECT_EQ(Text(ids::Goods(6)), "Brot");
    EXPECT_EQ(Text(ids::Goods(2)), "Milch") << "with Shift too it is an exchange";
}

TEST_F(GridGestures, LinkedRowsCarryTheirDisabledEdits) {
    const std::string doc = WriteLinkedDocument("Haushalt", "[B]\r\nName=Lebensmittel\r\nSumme=12.00\r\n");
    Link(0, doc, 1);
    FillRow(4, "Frei", "1", {});
    ASSERT_FALSE(Enabled(ids::Goods(0)));

    Drag(Centre(g.rowLabel[0]), Centre(g.rowLabel[4]), MK_CONTROL);  // copy onto an unlinked row
    EXPECT_FALSE(Enabled(ids::Goods(4)));
    EXPECT_FALSE(Enabled(ids::Price(4)));
    EXPECT_EQ(dlg->m_rowLinkFile[4], doc);
    EXPECT_EQ(dlg->m_rowLinkColumn[4], 1);
    EXPECT_FALSE(Enabled(ids::Goods(0))) << "the source keeps its state";

    FillRow(9, "Frei", "1", {});
    Drag(Centre(g.rowLabel[0]), Centre(g.rowLabel[9]), 0);  // exchange with an unlinked row
    EXPECT_TRUE(Enabled(ids::Goods(0)));
    EXPECT_TRUE(Enabled(ids::Price(0)));
    EXPECT_EQ(Text(ids::Goods(0)), "Frei");
    EXPECT_FALSE(Enabled(ids::Goods(9)));
    EXPECT_EQ(Text(ids::Goods(9)), "[B] - [Haushalt]--> Lebensmittel");
    EXPECT_EQ(dlg->m_rowLinkColumn[0], -1);
}

TEST_F(GridGestures, ReleasesThatTransferNothing) {
    FillRow(2, "Brot", "2.49", {0});
    FillRow(3, "Milch", "1.19", {});
    dlg->m_bModified = FALSE;
    Drag(Centre(g.rowLabel[2]), Centre(g.rowLabel[2]), 0);  // onto its own label
    EXPECT_EQ(Text(ids::Goods(2)), "Brot");
    EXPECT_FALSE(dlg->m_bModified);

    // Leaving the strip ends the drag; coming back does not resume it.
    Mouse(WM_LBUTTONDOWN, Centre(g.rowLabel[2]), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, Centre(g.goods[2]), MK_LBUTTON);
    EXPECT_EQ(dlg->m_nDragRow, kNoDrag);
    Mouse(WM_MOUSEMOVE, Centre(g.rowLabel[3]), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, Centre(g.rowLabel[3]), 0);
    EXPECT_EQ(Text(ids::Goods(3)), "Milch");
    EXPECT_FALSE(dlg->m_bModified);

    // The seam between two labels is no target.
    Mouse(WM_LBUTTONDOWN, Centre(g.rowLabel[2]), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, POINT{20, g.rowLabel[2].bottom}, 0);
    EXPECT_EQ(Text(ids::Goods(2)), "Brot");
}

TEST_F(GridGestures, HeaderBOntoEExchangesNamesAndPatterns) {
    Type(ids::Name(1), "Obst");
    Type(ids::Name(4), "Getr\xE4nke");
    Type(ids::Price(0), "3");
    Type(ids::Price(1), "5");
    dlg->SelectionButtonState(0, 1, 1);
    dlg->SelectionButtonState(1, 4, 1);
    const std::vector<int> b = ColumnStates(1);
    const std::vector<int> e = ColumnStates(4);
    TickSums();
    EXPECT_EQ(Text(ids::Sum(1)), "3.00");
    dlg->m_bModified = FALSE;

    Drag(Centre(g.columnHeader[1]), Centre(g.columnHeader[4]), 0);
    EXPECT_EQ(Text(ids::Name(1)), "Getr\xE4nke");
    EXPECT_EQ(Text(ids::Name(4)), "Obst");
    EXPECT_EQ(ColumnStates(1), e);
    EXPECT_EQ(ColumnStates(4), b);
    EXPECT_TRUE(dlg->m_bModified) << "through the name's change notification";
    EXPECT_EQ(Text(ids::Sum(1)), "3.00") << "sums follow on the next tick";
    TickSums();
    EXPECT_EQ(Text(ids::Sum(1)), "5.00");
    EXPECT_EQ(Text(ids::Sum(4)), "3.00");

    Drag(Centre(g.columnHeader[4]), Centre(g.columnHeader[6]), MK_CONTROL);
    EXPECT_EQ(Text(ids::Name(6)), "Obst");
    EXPECT_EQ(Text(ids::Name(4)), "Obst");
    EXPECT_EQ(ColumnStates(6), b);
}

TEST_F(GridGestures, SeparatorClicksToggleTheLine) {
    const POINT gap = Centre(g.separator[4]);
    Mouse(WM_LBUTTONDOWN, gap, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, gap, 0);
    EXPECT_EQ(dlg->m_separatorLines[4], 1);
    EXPECT_TRUE(dlg->m_bModified);
    dlg->m_bModified = FALSE;
    Mouse(WM_LBUTTONDOWN, gap, MK_LBUTTON);
    EXPECT_EQ(dlg->m_separatorLines[4], 0);
    EXPECT_TRUE(dlg->m_bModified);
    dlg->m_separatorLines[7] = 2;
    Mouse(WM_LBUTTONDOWN, Centre(g.separator[7]), MK_LBUTTON);
    EXPECT_EQ(dlg->m_separatorLines[7], 0) << "any value but 0 becomes 0";
}

TEST_F(GridGestures, RightClickOnRow12ClearsItAfterTheQuestion) {
    const std::string doc = WriteLinkedDocument("Haushalt", "[A]\r\nName=X\r\nSumme=1.00\r\n");
    Link(11, doc, 0);
    dlg->SelectionButtonState(11, 2, 1);
    dlg->m_rowInfo[11].strText = "bleibt";
    const POINT label = Centre(g.rowLabel[11]);

    seams->AnswerBox(IDNO);
    Mouse(WM_RBUTTONUP, label, 0);
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].text, "Reihe Nummer 12  l\xF6schen ?");
    EXPECT_EQ(seams->boxes[0].type, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(dlg->m_rowLinkFile[11], doc);
    EXPECT_FALSE(Enabled(ids::Goods(11)));

    seams->AnswerBox(IDYES);
    Mouse(WM_RBUTTONUP, label, 0);
    EXPECT_EQ(Text(ids::Goods(11)), "");
    EXPECT_EQ(Text(ids::Price(11)), "");
    EXPECT_TRUE(Enabled(ids::Goods(11)));
    EXPECT_TRUE(Enabled(ids::Price(11)));
    EXPECT_EQ(dlg->m_rowLinkFile[11], "");
    EXPECT_EQ(dlg->m_rowLinkColumn[11], -1);
    EXPECT_EQ(dlg->m_rowInfo[11].strText, "bleibt");
    EXPECT_EQ(Check(ids::Selection(11, 2)), 1);
    EXPECT_TRUE(dlg->m_bModified);
}

TEST_F(GridGestures, ReleasesOnALinkedGoodsFieldStepItsColumn) {
    const std::string doc = WriteLinkedDocument(
        "Haushalt", "[A]\r\nName=a\r\nSumme=1.00\r\n[B]\r\nName=b\r\nSumme=2.00\r\n[G]\r\nName=g\r\nSumme=7.00\r\n");
    Link(3, doc, 0);
    dlg->m_bModified = FALSE;
    const POINT field = Centre(g.goods[3]);
    Mouse(WM_LBUTTONDOWN, field, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, field, 0);
    EXPECT_EQ(dlg->m_rowLinkColumn[3], 1);
    EXPECT_EQ(Text(ids::Price(3)), "2.00");
    EXPECT_TRUE(dlg->m_bModified);
    Mouse(WM_RBUTTONUP, field, 0);
    Mouse(WM_RBUTTONUP, field, 0);
    EXPECT_EQ(dlg->m_rowLinkColumn[3], 6) << "A - 1 wraps to G";
    EXPECT_EQ(Text(ids::Goods(3)), "[G] - [Haushalt]--> g");

    // A right release elsewhere re-reads every link without stepping.
    WriteFileBytes(doc, "[G]\r\nName=neu\r\nSumme=9.00\r\n");
    Mouse(WM_RBUTTONUP, POINT{400, 200}, 0);
    EXPECT_EQ(dlg->m_rowLinkColumn[3], 6);
    EXPECT_EQ(Text(ids::Goods(3)), "[G] - [Haushalt]--> neu");
}

TEST_F(GridGestures, ShiftCtrlRightClickStartsTheAnimationAPlainOneStopsIt) {
    WriteFileBytes(TestApp().m_strConfigPath, "[BUTTONS]\r\n000=1\r\n001=0\r\n");
    dlg->m_animTiming = AnimationTiming{0, 0};
    Mouse(WM_RBUTTONUP, POINT{400, 200}, MK_SHIFT | MK_CONTROL);
    ASSERT_TRUE(dlg->m_pAnimThread);
    EXPECT_EQ(dlg->m_animRepeat, -1) << "endless, although the start-up found no script";
    Mouse(WM_RBUTTONUP, POINT{400, 200}, MK_SHIFT | MK_CONTROL);
    ASSERT_TRUE(dlg->m_pAnimThread) << "a second one restarts it";
    Mouse(WM_RBUTTONUP, POINT{400, 200}, MK_SHIFT | MK_CONTROL | MK_LBUTTON);
    EXPECT_FALSE(dlg->m_pAnimThread) << "another held button stops it instead";
    Mouse(WM_RBUTTONUP, POINT{400, 200}, MK_SHIFT | MK_CONTROL);
    Mouse(WM_RBUTTONUP, POINT{400, 200}, 0);
    EXPECT_FALSE(dlg->m_pAnimThread);
    Mouse(WM_RBUTTONUP, POINT{400, 200}, MK_SHIFT | MK_CONTROL);
    Mouse(WM_LBUTTONDOWN, POINT{400, 200}, MK_LBUTTON);
    EXPECT_FALSE(dlg->m_pAnimThread) << "a left press stops it too";
}

TEST_F(GridGestures, SquareDoubleClicksOpenTheInfoOrTheSources) {
    dlg->m_rowInfo[5].strSource1 = "C:\\Belege\\rechnung.pdf";
    dlg->m_rowInfo[5].strSource2 = "https://example.invalid/";
    const POINT square = Centre(g.square[5]);

    const std::string dropped = WriteLinkedDocument("Abgelegt", "[LISTE]\r\nWare 01=fremd\r\n");
    seams->AnswerModal([&](dialogkit::Dialog& d) {
        EXPECT_EQ(d.TemplateId(), 130u);
        EXPECT_EQ(dlg->m_infoRow, 5);
        return DriveModeless(d, Wnd(), [&](HWND h) {
            // What the dialog's loop may deliver to the window behind it
            // starts nothing there: no second dialog, no drop.
            Mouse(WM_LBUTTONDBLCLK, Centre(g.square[6]), MK_LBUTTON);
            ::SendMessageA(Wnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({dropped})), 0);
            ::SendMessageA(h, WM_COMMAND, IDCANCEL, 0);
        });
    });
    Mouse(WM_LBUTTONDBLCLK, square, MK_LBUTTON);
    EXPECT_EQ(Text(ids::Goods(0)), "");
    EXPECT_EQ(dlg->m_strDocTitle, "Unbenannt");
    EXPECT_EQ(seams->modalTemplates.size(), 1u);
    EXPECT_TRUE(seams->shellOpened.empty());

    Mouse(WM_LBUTTONDBLCLK, square, MK_LBUTTON | MK_SHIFT);
    ASSERT_EQ(seams->shellOpened.size(), 1u);
    EXPECT_EQ(seams->shellOpened[0], "C:\\Belege\\rechnung.pdf");

    Mouse(WM_RBUTTONDBLCLK, square, MK_RBUTTON | MK_SHIFT);
    ASSERT_EQ(seams->shellOpened.size(), 2u);
    EXPECT_EQ(seams->shellOpened[1], "https://example.invalid/");

    // Any other keys only repaint; an empty source opens nothing.
    Mouse(WM_LBUTTONDBLCLK, square, MK_LBUTTON | MK_SHIFT | MK_CONTROL);
    Mouse(WM_RBUTTONDBLCLK, square, MK_RBUTTON);
    Mouse(WM_LBUTTONDBLCLK, Centre(g.square[6]), MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(dlg->m_infoRow, 6);
    EXPECT_EQ(seams->shellOpened.size(), 2u);
    EXPECT_EQ(seams->modalTemplates.size(), 1u);
}

TEST_F(GridGestures, DoubleClickOnARowNumberRunsTheLinkCommand) {
    const std::string doc = WriteLinkedDocument("Vorrat", "[A]\r\nName=Keller\r\nSumme=4.50\r\n");
    WriteFileBytes(dlg->m_strCompanionPath, "[A]\r\n");
    seams->AnswerFile(doc);
    seams->AnswerModal([&](dialogkit::Dialog& d) {
        EXPECT_EQ(d.TemplateId(), 129u);
        return DriveModeless(d, Wnd(), [](HWND h) { ::SendMessageA(h, WM_COMMAND, IDOK, 0); });
    });
    Mouse(WM_LBUTTONDBLCLK, Centre(g.rowLabel[7]), MK_LBUTTON);
    EXPECT_EQ(Text(ids::Goods(7)), "[A] - [Vorrat]--> Keller");
    EXPECT_EQ(Text(ids::Price(7)), "4.50");
    EXPECT_FALSE(Exists(dlg->m_strCompanionPath)) << "the double-click paused the background work";
    EXPECT_TRUE(dlg->m_bModified) << "a new link is a change of the document";
}
