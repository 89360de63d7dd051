// Opening a row's source: one that would start a program waits for a Yes.
#include "grid/GridWindow.h"

#include "dialogkit/Format.h"

struct SourceCase { const char* name; std::string source; bool asks; };
class RowInfoSourceQuestion : public GridWindowTest, public ::testing::WithParamInterface<SourceCase> {};

// Shift and a left double-click on the square, answered Yes and then No.
TEST_P(RowInfoSourceQuestion, ShiftDoubleClickOpens) {
    const SourceCase& c = GetParam();
    Open();
    dlg->m_rowInfo[4].strSource1 = c.source;
    for (const int answer : {IDYES, IDNO}) {
        if (c.asks) seams->AnswerBox(answer);
        Mouse(WM_LBUTTONDBLCLK, Centre(Geometry().square[4]), MK_LBUTTON | MK_SHIFT);
    }
    const Box question{dialogkit::Format("Die Quelle   %s   startet ein Programm. Trotzdem öffnen ?", c.source.c_str()), MB_YESNO | MB_DEFBUTTON2};
    EXPECT_EQ(Shown(), std::vector<Box>(c.asks ? 2 : 0, question)) << "Yes and No, No the default";
    EXPECT_EQ(seams->shellOpened, std::vector<std::string>(c.asks ? 1 : 2, c.source)) << "on Yes, and on No unless asked";
}

INSTANTIATE_TEST_SUITE_P(RowInfo, RowInfoSourceQuestion, ::testing::Values(
    SourceCase{"Batch", "rechnung.bat", true}, SourceCase{"ExeOnShare", "\\\\server\\daten\\Setup.exe", true},
    SourceCase{"PdfInCapitals", "C:\\Rechnung.PDF", false}, SourceCase{"Text", "C:\\notiz.txt", false}, SourceCase{"Folder", "C:\\Windows\\", false},
    SourceCase{"Https", "https://example.org/rechnung", false}, SourceCase{"FileUrlToExe", "file:///C:/Programme/Tool%2Eexe", true},
    SourceCase{"Javascript", "javascript:alert(1)", true}, SourceCase{"NoExtension", "C:\\rechnung", true},
    SourceCase{"PlainExe", "C:\\windows\\system32\\winver.exe", true},
    SourceCase{"DotAtTheEnd", "C:\\Setup.exe.", true}, SourceCase{"InQuotes", "\"C:\\Setup.exe\"", true},
    SourceCase{"ScriptInQuotes", "\"javascript:x.txt\"", true},
    SourceCase{"FileUrlFragment", "file:///C:/windows/win.ini#/../system32/winver.exe", true},
    SourceCase{"FileUrlQuery", "file:///C:/windows/win.ini?/../system32/winver.exe", true},
    SourceCase{"FileUrlEscapedNul", "file:///C:/windows/system32/winver.exe%00.txt", true},
    SourceCase{"ControlCharacter", "C:\\notiz.exe\x01.txt", true}, SourceCase{"FileUrlToText", "file:///C:/notiz.txt", false}),
    [](const ::testing::TestParamInfo<SourceCase>& info) { return std::string(info.param.name); });
