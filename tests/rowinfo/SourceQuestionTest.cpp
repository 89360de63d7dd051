// Opening a row's source: one that would start a program waits for a Yes.
#include "grid/GridWindow.h"

#include "dialogkit/Format.h"

struct SourceCase { const char* name; std::string source; bool asks; };

class RowInfoSourceQuestion : public GridWindowTest, public ::testing::WithParamInterface<SourceCase> {
protected:
    static Box Question(const std::string& source) {
        return {dialogkit::Format("Die Quelle   %s   startet ein Programm. Trotzdem öffnen ?", source.c_str()), MB_YESNO | MB_DEFBUTTON2};
    }
};

// Shift and a left double-click on the square, answered Yes and then No.
TEST_P(RowInfoSourceQuestion, ShiftDoubleClickOpens) {
    const SourceCase& c = GetParam();
    Open();
    dlg->m_rowInfo[4].strSource1 = c.source;
    for (const int answer : {IDYES, IDNO}) {
        if (c.asks) seams->AnswerBox(answer);
        Mouse(WM_LBUTTONDBLCLK, Centre(Geometry().square[4]), MK_LBUTTON | MK_SHIFT);
    }
    EXPECT_EQ(Shown(), c.asks ? std::vector<Box>(2, Question(c.source)) : std::vector<Box>{});
    EXPECT_EQ(seams->shellOpened, std::vector<std::string>(c.asks ? 1 : 2, c.source)) << "on Yes, and on No unless asked";
}

INSTANTIATE_TEST_SUITE_P(RowInfo, RowInfoSourceQuestion, ::testing::Values(
    SourceCase{"Batch", "rechnung.bat", true}, SourceCase{"ExeOnShare", "\\\\server\\daten\\Setup.exe", true},
    SourceCase{"PdfInCapitals", "C:\\Rechnung.PDF", false}, SourceCase{"Text", "C:\\notiz.txt", false},
    SourceCase{"Folder", "C:\\Windows\\", false}, SourceCase{"Https", "https://example.org/rechnung", false},
    SourceCase{"FileUrlToExe", "file:///C:/Programme/Tool%2Eexe", true}, SourceCase{"Javascript", "javascript:alert(1)", true},
    SourceCase{"NoExtension", "C:\\rechnung", true}),
    [](const ::testing::TestParamInfo<SourceCase>& info) { return std::string(info.param.name); });

// The dialog's open button asks the same, over the dialog.
using RowInfoOpenButton = GridWindowTest;
TEST_F(RowInfoOpenButton, AsksBeforeAProgram) {
    Open();
    dlg->m_rowInfo[3].strSource2 = "rechnung.cmd";
    seams->AnswerBox(IDNO);
    seams->AnswerModal([&](dialogkit::Dialog& d) {
        return DriveModeless(d, Wnd(), [&](HWND h) {
            ::SendMessageA(::GetDlgItem(h, ids::kInfoOpen2), BM_CLICK, 0, 0);
            EXPECT_EQ(seams->boxes.at(0).owner, h);
        });
    });
    Mouse(WM_LBUTTONDBLCLK, Centre(Geometry().square[3]), MK_LBUTTON);
    EXPECT_EQ(seams->boxes.at(0).text, "Die Quelle   rechnung.cmd   startet ein Programm. Trotzdem öffnen ?");
    EXPECT_TRUE(seams->shellOpened.empty());
}
