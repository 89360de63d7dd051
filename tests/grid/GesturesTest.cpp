// Mouse gestures driven with the messages a mouse produces, at the table
// coordinates and with the key-state flags a user's hands give.
#include "grid/GridWindow.h"

#include "document/DocumentTestSupport.h"

class GridGestures : public GridWindowTest {
protected:
    void SetUp() override {
        GridWindowTest::SetUp();
        Open();
        FirstPaint();
        g = Geometry();
    }
    void TearDown() override {
        GridWindowTest::TearDown();
        for (const char* title : {"\\Haushalt.pgx", "\\Abgelegt.pgx", "\\Vorrat.pgx"}) RemoveFile(TestDir() + title);
    }
    // Goods|price|selection states A to G|info text.
    std::string Row(int row) const {
        std::string s = Text(ids::Goods(row)) + "|" + Text(ids::Price(row)) + "|";
        for (int column = 0; column < ids::kColumns; ++column) s += std::to_string(Check(ids::Selection(row, column)));
        return s + "|" + dlg->m_rowInfo[row].strText;
    }
    void SetRow(int row, const std::string& goods, const std::string& price, const char* states) const {
        Type(ids::Goods(row), goods);
        Type(ids::Price(row), price);
        for (int column = 0; column < ids::kColumns; ++column) dlg->SelectionButtonState(row, column, states[column] - '0');
    }
    // Writes a document of the test folder; links a row to one of its columns.
    std::string Document(const char* title, const std::string& ini, int row = -1, int column = 0) const {
        const std::string path = TestDir() + "\\" + title + ".pgx";
        WriteFileBytes(path, ini);
        if (row >= 0) {
            dlg->m_rowLinkFile[row] = path;
            dlg->m_rowLinkColumn[row] = column;
            dlg->RefreshLinkedRow(row, 0);
        }
        return path;
    }
    POINT Label(int row) const { return Centre(g.rowLabel[row]); }
    grid::GridGeometry g;
};

TEST_F(GridGestures, RowDragsExchangeOrCopyAllButTheSeparators) {
    const std::string price = "12345678901234567890.99";  // longer than a drag once carried
    const std::string brot = "Brot|" + price + "|1001000|Info", milch = "Milch|1.19|0000001|";
    const std::vector<std::tuple<std::vector<POINT>, UINT, std::string, std::string>> cases = {
        {{Label(2), Label(6)}, 0, milch, brot},
        {{Label(2), Label(6)}, MK_CONTROL, brot, brot},
        {{Label(2), Label(6)}, MK_CONTROL | MK_SHIFT, milch, brot},
        {{Label(2), Label(2)}, 0, brot, milch},
        {{Label(2), Centre(g.goods[2]), Label(6)}, 0, brot, milch},  // the strip was left
        {{Label(2), POINT{20, g.rowLabel[2].bottom}}, 0, brot, milch},  // onto the seam
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [path, keys, row2, row6] = cases[i];
        SetRow(2, "Brot", price, "1001000");
        SetRow(6, "Milch", "1.19", "0000001");
        dlg->m_rowInfo[2].strText = "Info";
        dlg->m_rowInfo[6].strText = "";
        dlg->m_separatorLines[2] = 1;
        dlg->m_bModified = FALSE;
        Drag(path, keys);
        EXPECT_EQ(Row(2) + " " + Row(6), row2 + " " + row6) << "case " << i;
        EXPECT_EQ(dlg->m_bModified != FALSE, row6 == brot);
        EXPECT_TRUE(dlg->m_separatorLines[2] == 1 && dlg->m_separatorLines[6] == 0) << "separators stay";
    }
}

TEST_F(GridGestures, LinkedRowsCarryTheirDisabledEdits) {
    const std::string doc = Document("Haushalt", "[B]\r\nName=Lebensmittel\r\nSumme=12.00\r\n", 0, 1);
    SetRow(9, "Frei", "1", "0000000");
    Drag({Label(0), Label(4)}, MK_CONTROL);
    EXPECT_FALSE(Enabled(ids::Goods(4)) || Enabled(ids::Price(4)) || Enabled(ids::Goods(0))) << "copy and source linked";
    EXPECT_EQ(dlg->m_rowLinkFile[4] + std::to_string(dlg->m_rowLinkColumn[4]), doc + "1");
    Drag({Label(0), Label(9)});
    EXPECT_TRUE(Enabled(ids::Goods(0)) && Enabled(ids::Price(0)) && dlg->m_rowLinkColumn[0] == kNone);
    EXPECT_EQ(Row(0) + " " + Row(9), "Frei|1|0000000| [B] - [Haushalt]--> Lebensmittel|12.00|0000000|");
    EXPECT_FALSE(Enabled(ids::Goods(9)));
}

TEST_F(GridGestures, HeaderDragsExchangeOrCopyNamesAndPatternsAndSeparatorPressesToggle) {
    Type(ids::Name(1), "Obst");
    SetRow(0, "", "3", "0100000");
    SetRow(1, "", "5", "0000100");
    Drag({Centre(g.columnHeader[1]), Centre(g.columnHeader[4])});
    TickSums();
    EXPECT_EQ(Text(ids::Name(1)) + Text(ids::Name(4)) + Row(0) + Row(1) + Text(ids::Sum(4)), "Obst|3|0000100||5|0100000|3.00");
    Drag({Centre(g.columnHeader[4]), Centre(g.columnHeader[6])}, MK_CONTROL);
    EXPECT_EQ(Text(ids::Name(4)) + Text(ids::Name(6)) + Row(0), "ObstObst|3|0000101|");
    dlg->m_separatorLines[7] = 2;  // any value but 0 becomes 0
    for (const auto& [gap, line] : {std::pair(4, 1), std::pair(4, 0), std::pair(7, 0)}) {
        dlg->m_bModified = FALSE;
        Mouse(WM_LBUTTONDOWN, Centre(g.separator[gap]), MK_LBUTTON);
        EXPECT_TRUE(dlg->m_separatorLines[gap] == line && dlg->m_bModified) << gap << " " << line;
    }
}

TEST_F(GridGestures, LinkedRowStepsItsColumnAndRow12IsClearedAfterTheQuestion) {
    Document("Haushalt", "[A]\r\nName=a\r\nSumme=1.00\r\n[B]\r\nName=b\r\nSumme=2.00\r\n[G]\r\nName=g\r\n"
             "Summe=7.00\r\n", 11, 0);
    dlg->SelectionButtonState(11, 2, 1);
    dlg->m_rowInfo[11].strText = "bleibt";
    Drag({Centre(g.goods[11])});
    EXPECT_EQ(Row(11), "[B] - [Haushalt]--> b|2.00|0010000|bleibt");
    Mouse(WM_RBUTTONUP, Centre(g.goods[11]), 0);
    Mouse(WM_RBUTTONUP, Centre(g.goods[11]), 0);
    EXPECT_EQ(Row(11), "[G] - [Haushalt]--> g|7.00|0010000|bleibt") << "A - 1 wraps to G";
    seams->AnswerBox(IDNO);
    seams->AnswerBox(IDYES);
    Mouse(WM_RBUTTONUP, Label(11), 0);
    EXPECT_FALSE(Enabled(ids::Goods(11))) << "No keeps the row";
    dlg->m_bModified = FALSE;
    Mouse(WM_RBUTTONUP, Label(11), 0);
    EXPECT_EQ(seams->boxes.at(1).text, "Reihe Nummer 12  l\xF6schen ?");
    EXPECT_EQ(seams->boxes[1].type, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(Row(11), "||0010000|bleibt") << "the info text and the selection stay";
    EXPECT_TRUE(Enabled(ids::Goods(11)) && Enabled(ids::Price(11)) && dlg->m_bModified && dlg->m_rowLinkFile[11].empty());
}

TEST_F(GridGestures, SquareDoubleClicksOpenTheInfoOrTheSources) {
    dlg->m_rowInfo[5] = RowInfo{"", "C:\\Belege\\rechnung.pdf", "https://example.invalid/", 1};
    const POINT square = Centre(g.square[5]), other = Centre(g.square[6]);
    const std::string dropped = Document("Abgelegt", "[LISTE]\r\nWare 01=fremd\r\n");
    seams->AnswerModal([&](dialogkit::Dialog& d) {
        EXPECT_EQ(d.TemplateId(), 130u);
        EXPECT_EQ(dlg->m_infoRow, 5);
        return DriveModeless(d, Wnd(), [&](HWND h) {
            // What the dialog's loop may deliver to the window behind it
            // starts nothing there: no second dialog, no drop.
            Mouse(WM_LBUTTONDBLCLK, other, MK_LBUTTON);
            ::SendMessageA(Wnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(doctest::MakeDrop({dropped})), 0);
            ::SendMessageA(h, WM_COMMAND, IDCANCEL, 0);
        });
    });
    Mouse(WM_LBUTTONDBLCLK, square, MK_LBUTTON);
    EXPECT_EQ(Text(ids::Goods(0)) + dlg->m_strDocTitle, "Unbenannt");
    // Shift opens a source; other keys, or an empty source, only repaint.
    Mouse(WM_LBUTTONDBLCLK, square, MK_LBUTTON | MK_SHIFT);
    Mouse(WM_RBUTTONDBLCLK, square, MK_RBUTTON | MK_SHIFT);
    Mouse(WM_LBUTTONDBLCLK, square, MK_LBUTTON | MK_SHIFT | MK_CONTROL);
    Mouse(WM_RBUTTONDBLCLK, square, MK_RBUTTON);
    Mouse(WM_LBUTTONDBLCLK, other, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(seams->shellOpened, (std::vector<std::string>{"C:\\Belege\\rechnung.pdf", "https://example.invalid/"}));
    EXPECT_EQ(seams->modalTemplates.size(), 1u);
}

TEST_F(GridGestures, DoubleClickOnARowNumberLinksTheRowAndMarksTheDocument) {
    seams->AnswerFile(Document("Vorrat", "[A]\r\nName=Keller\r\nSumme=4.50\r\n"));
    seams->AnswerModal([&](dialogkit::Dialog& d) {
        EXPECT_EQ(d.TemplateId(), 129u);
        return DriveModeless(d, Wnd(), [](HWND h) { ::SendMessageA(h, WM_COMMAND, IDOK, 0); });
    });
    WriteFileBytes(dlg->m_strCompanionPath, "[A]\r\n");
    dlg->m_bModified = FALSE;
    Mouse(WM_LBUTTONDBLCLK, Label(7), MK_LBUTTON);
    EXPECT_EQ(Row(7), "[A] - [Vorrat]--> Keller|4.50|0000000|");
    EXPECT_FALSE(Exists(dlg->m_strCompanionPath)) << "the double-click paused the background work";
    EXPECT_TRUE(dlg->m_bModified) << "a new link is a change of the document";
}
