// Mouse gestures driven with the messages a mouse produces, at the table
// coordinates and with the key-state flags a user's hands give.
#include "grid/GridWindow.h"

#include "document/DocumentTestSupport.h"
#include "links/LinkWatch.h"

class GridGestures : public GridWindowTest {
protected:
    static std::string Document(const char* title) { return TestDir() + "\\" + title + ".pgx"; }
    // Goods|price|selection states A to G|info text; "linked:" first when the edits are disabled.
    std::string Row(int row) const {
        std::string s = Enabled(ids::Goods(row)) && Enabled(ids::Price(row)) ? "" : "linked:";
        s += Text(ids::Goods(row)) + "|" + Text(ids::Price(row)) + "|";
        for (int column = 0; column < ids::kColumns; ++column) s += std::to_string(Check(ids::Selection(row, column)));
        return s + "|" + dlg->m_rowInfo[row].strText;
    }
    POINT Label(int row) const { return Centre(Geometry().rowLabel[row]); }
};

TEST_F(GridGestures, RowDragsExchangeOrCopyAllButTheSeparators) {
    Open();
    const std::string price = "12345678901234567890.99";  // longer than a drag once carried
    const std::string brot = "Brot|" + price + "|1000000|Info";
    const std::string milch = "linked:[B] - [Haushalt]--> Milch|1.19|0000001|";
    WriteFileBytes(Document("Zeilen"), doctest::CrLf({"[LISTE]", "Ware 03=Brot", "Preis03=" + price,
        "Ware 07=[B] - [Haushalt]--> Milch", "Preis07=1.19", "[BUTTONS]", "A=00100000000000000000",
        "G=00000010000000000000", "[SETTINGS]", "Lines=0010000000000000000", "[SHARED]", "Column=//////1/////////////",
        "File 07=" + Document("Haushalt"), "[INFO]", "Text03=Info"}));
    // The path of the drag, the keys held, rows 03 and 07 afterwards; the
    // last two paths leave the strip and come back, or end on a seam.
    const std::vector<std::tuple<std::vector<POINT>, UINT, std::string, std::string>> cases = {
        {{Label(2), Label(6)}, 0, milch, brot}, {{Label(2), Label(6)}, MK_CONTROL, brot, brot},
        {{Label(6), Label(2)}, MK_CONTROL, milch, milch}, {{Label(2), Label(6)}, MK_CONTROL | MK_SHIFT, milch, brot},
        {{Label(2), Label(2)}, 0, brot, milch}, {{Label(2), Centre(Geometry().goods[2]), Label(6)}, 0, brot, milch},
        {{Label(2), POINT{20, Geometry().rowLabel[2].bottom}}, 0, brot, milch}};
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [path, keys, row3, row7] = cases[i];
        Open(Document("Zeilen"));
        Drag(path, keys);
        EXPECT_EQ(Row(2) + " " + Row(6), row3 + " " + row7) << "case " << i;
        EXPECT_TRUE((dlg->m_bModified != FALSE) == (row3 != brot || row7 != milch) && dlg->m_separatorLines[2] == 1 &&
                    dlg->m_separatorLines[6] == 0) << "case " << i << ": a change marks the document; separators stay";
    }
    RemoveFile(Document("Zeilen"));
}

TEST_F(GridGestures, DoubleClicksOnASquareOpenTheInfoOnARowNumberALink) {
    Open();
    FirstPaint();
    const POINT square = Centre(Geometry().square[5]), other = Centre(Geometry().square[6]);
    seams->AnswerModal([&](dialogkit::Dialog& d) {
        return DriveModeless(d, Wnd(), [&](HWND h) {
            // What the dialog's loop may deliver to the window behind it
            // starts nothing there: no second dialog, no drop (a missing
            // document would open empty under its own title).
            Mouse(WM_LBUTTONDBLCLK, other, MK_LBUTTON);
            ::SendMessageA(Wnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(doctest::MakeDrop({Document("Abgelegt")})), 0);
            ::SendMessageA(h, WM_COMMAND, IDCANCEL, 0);
        });
    });
    Mouse(WM_LBUTTONDBLCLK, square, MK_LBUTTON);
    EXPECT_EQ(Text(ids::Goods(0)) + dlg->m_strDocTitle, "Unbenannt");
    WriteFileBytes(Document("Vorrat"), "[A]\r\nName=Keller\r\nSumme=4.50\r\n");
    seams->AnswerFile(Document("Vorrat"));
    seams->AnswerModal([&](dialogkit::Dialog& d) {
        return DriveModeless(d, Wnd(), [](HWND h) { ::SendMessageA(h, WM_COMMAND, IDOK, 0); });
    });
    dlg->m_bModified = FALSE;
    Mouse(WM_LBUTTONDBLCLK, Label(7), MK_LBUTTON);
    PumpUntil([&] { return dlg->m_linkWatch->Settled(); });
    EXPECT_EQ(Row(7), "linked:[A] - [Vorrat]--> Keller|4.50|0000000|");
    EXPECT_TRUE(dlg->m_bModified) << "a new link is a change of the document";
    EXPECT_EQ(seams->modalTemplates, (std::vector<UINT>{130, 129}));
    RemoveFile(Document("Vorrat"));
}
