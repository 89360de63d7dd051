// The row info dialog on its template: layout, initialisation, the
// "Öffnen" buttons, browsing, "Alles Löschen", OK and Cancel, and running it
// from the main window.
#include "../res/resource.h"
#include "rowinfo/RowInfoDlg.h"
#include "support/Harness.h"

#include <utility>
#include <vector>

namespace {

// Texts as the window shows them (Windows-1252).
const char* const kOpen1 = "1. \xD6""ffnen";
const char* const kOpen2 = "2. \xD6""ffnen";
const char* const kClearAll = "Alles L\xF6schen";
const char* const kAutoOpenCaption =
    "Quelle automatisch \xF6""ffnen mit Schift+\n1. L-Doppelklick      2. R-Doppelklick";
const char* const kTooLong = "Der Info-Text ist zu lang !";
constexpr DWORD kInvalidFileName = 0x3002;  // FNERR_INVALIDFILENAME

std::string WindowString(HWND hwnd) {
    const int n = ::GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    ::GetWindowTextA(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

}  // namespace

class RowInfoDialog : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        RemoveFile(".\\Unbenannt.pgx");
        Open();
    }
    void TearDown() override {
        info.reset();
        MainDialogTest::TearDown();
        RemoveFile(".\\Unbenannt.pgx");
    }

    // Opens the dialog for a row, as the double-click on its square does.
    void OpenInfo(int row) {
        info.reset();
        dlg->m_infoRow = row;
        info = std::make_unique<CRowInfoDlg>(*dlg);
        ASSERT_NE(info->CreateModeless(Wnd()), nullptr);
    }
    HWND Info() const { return info->GetSafeHwnd(); }
    HWND InfoItem(int id) const { return ::GetDlgItem(Info(), id); }
    std::string InfoText(int id) const { return WindowString(InfoItem(id)); }
    void InfoType(int id, const std::string& text) const { ::SetWindowTextA(InfoItem(id), text.c_str()); }
    void InfoClick(int id) const { ::SendMessageA(InfoItem(id), BM_CLICK, 0, 0); }
    void InfoCommand(int id) const { ::SendMessageA(Info(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool InfoEnabled(int id) const { return ::IsWindowEnabled(InfoItem(id)) != FALSE; }
    int InfoCheck() const {
        return static_cast<int>(::SendMessageA(InfoItem(ids::kInfoAutoOpen), BM_GETCHECK, 0, 0));
    }
    void SetRecord(int row, const std::string& text, const std::string& source1, const std::string& source2,
                   int autoOpen) const {
        RowInfo& r = dlg->m_rowInfo[row];
        r.strText = text;
        r.strSource1 = source1;
        r.strSource2 = source2;
        r.nAutoOpen = autoOpen;
    }
    void ExpectRecord(int row, const std::string& text, const std::string& source1, const std::string& source2,
                      int autoOpen) const {
        const RowInfo& r = dlg->m_rowInfo[row];
        EXPECT_EQ(r.strText, text) << "row " << row;
        EXPECT_EQ(r.strSource1, source1) << "row " << row;
        EXPECT_EQ(r.strSource2, source2) << "row " << row;
        EXPECT_EQ(r.nAutoOpen, autoOpen) << "row " << row;
    }

    std::unique_ptr<CRowInfoDlg> info;
};

TEST_F(RowInfoDialog, TemplateLaysOutEveryControlInTabOrder) {
    OpenInfo(0);
    struct Expected {
        int id;
        const char* className;
        std::string text;
        DWORD styleOn;
        DWORD styleOff;
        RECT units;  // x, y, width, height
    };
    const DWORD kButtonType = 0x0F;
    const std::vector<Expected> expected = {
        {ids::kInfoText, "Edit", "", ES_MULTILINE | ES_WANTRETURN | WS_BORDER | WS_TABSTOP,
         WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL, {7, 14, 391, 60}},
        {ids::kInfoSource1, "Edit", "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, ES_MULTILINE, {13, 89, 385, 12}},
        {ids::kInfoSource2, "Edit", "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, ES_MULTILINE, {13, 107, 385, 12}},
        {ids::kInfoBrowse1, "Button", "1. Datei...", WS_TABSTOP | WS_GROUP, kButtonType, {284, 125, 50, 14}},
        {ids::kInfoBrowse2, "Button", "2. Datei...", WS_TABSTOP, kButtonType | WS_GROUP, {348, 125, 50, 14}},
        {ids::kInfoOpen1, "Button", kOpen1, WS_TABSTOP, kButtonType | WS_GROUP, {413, 88, 50, 14}},
        {ids::kInfoOpen2, "Button", kOpen2, WS_TABSTOP, kButtonType | WS_GROUP, {413, 106, 50, 14}},
        {IDOK, "Button", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kButtonType & ~BS_DEFPUSHBUTTON, {413, 7, 50, 14}},
        {IDCANCEL, "Button", "Cancel", WS_TABSTOP, kButtonType, {413, 24, 50, 14}},
        {ids::kInfoClearAll, "Button", kClearAll, WS_TABSTOP, kButtonType, {413, 60, 50, 14}},
        {ids::kInfoAutoOpen, "Button", kAutoOpenCaption,
         BS_AUTOCHECKBOX | BS_MULTILINE | BS_VCENTER | WS_TABSTOP, kButtonType & ~BS_AUTOCHECKBOX,
         {13, 122, 140, 20}},
        {-1, "Static", "Info Text:", SS_LEFT, SS_CENTER | SS_RIGHT, {7, 4, 40, 10}},
        {-1, "Button", "Quelle  (Datei oder URL) :", BS_GROUPBOX, WS_TABSTOP | (kButtonType & ~BS_GROUPBOX),
         {7, 79, 462, 67}},
    };

    HWND child = ::GetWindow(Info(), GW_CHILD);
    for (const Expected& e : expected) {
        ASSERT_NE(child, nullptr) << "missing control " << e.text;
        EXPECT_EQ(::GetDlgCtrlID(child), e.id) << e.text;
        char className[64] = {};
        ::GetClassNameA(child, className, sizeof className);
        EXPECT_STREQ(className, e.className) << e.id;
        EXPECT_EQ(WindowString(child), e.text) << e.id;
        DWORD style = static_cast<DWORD>(::GetWindowLongA(child, GWL_STYLE));
        // The edits turn a plain border into the sunken client edge.
        if (::GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) style |= WS_BORDER;
        EXPECT_EQ(style & e.styleOn, e.styleOn) << e.id << " style " << std::hex << style;
        EXPECT_EQ(style & e.styleOff, 0u) << e.id << " style " << std::hex << style;
        // Position and size are converted each on its own, as the dialog
        // manager does.
        RECT want = e.units;
        ::MapDialogRect(Info(), &want);
        want.right += want.left;
        want.bottom += want.top;
        RECT got;
        ::GetWindowRect(child, &got);
        ::MapWindowPoints(nullptr, Info(), reinterpret_cast<POINT*>(&got), 2);
        EXPECT_TRUE(::EqualRect(&got, &want)) << e.id << ": " << got.left << "," << got.top << ","
                                              << got.right << "," << got.bottom;
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "no further control";

    const DWORD style = static_cast<DWORD>(::GetWindowLongA(Info(), GWL_STYLE));
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(style & frame, frame);
    RECT size = {0, 0, 476, 153};
    ::MapDialogRect(Info(), &size);
    RECT client;
    ::GetClientRect(Info(), &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    LOGFONTA font = {};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(Info(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");

    // The text wraps at the right edge instead of scrolling sideways.
    const std::string longLine(300, 'w');
    InfoType(ids::kInfoText, longLine);
    EXPECT_GT(::SendMessageA(InfoItem(ids::kInfoText), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(RowInfoDialog, CaptionShowsRowNumberAndGoodsInWindows1252) {
    OpenInfo(0);
    EXPECT_EQ(WindowString(Info()), "Info 01  -  ");
    EXPECT_EQ(info->m_nRow, 0);

    Type(ids::Goods(2), "\xC4pfel");
    OpenInfo(2);
    EXPECT_EQ(WindowString(Info()), "Info 03  -  \xC4pfel");
    EXPECT_EQ(info->m_nRow, 2);

    Type(ids::Goods(19), "Brot");
    OpenInfo(19);
    EXPECT_EQ(WindowString(Info()), "Info 20  -  Brot");

    // What reaches the screen is the Windows-1252 text of the source.
    EXPECT_EQ(InfoText(ids::kInfoOpen1), "1. \xD6""ffnen");
    EXPECT_EQ(InfoText(ids::kInfoClearAll), "Alles L\xF6schen");
}

TEST_F(RowInfoDialog, InitialisationShowsTheRecord) {
    SetRecord(4, "Zeile 1\r\nZeile 2", "C:\\a.txt", "", 0);
    OpenInfo(4);
    EXPECT_EQ(InfoText(ids::kInfoText), "Zeile 1\r\nZeile 2");
    EXPECT_EQ(InfoText(ids::kInfoSource1), "C:\\a.txt");
    EXPECT_EQ(InfoText(ids::kInfoSource2), "");
    EXPECT_EQ(InfoCheck(), BST_UNCHECKED);
    EXPECT_TRUE(InfoEnabled(ids::kInfoOpen1));
    EXPECT_FALSE(InfoEnabled(ids::kInfoOpen2));
    EXPECT_EQ(info->m_strOldText, "Zeile 1\r\nZeile 2");
    EXPECT_EQ(info->m_strOldSource1, "C:\\a.txt");
    EXPECT_EQ(info->m_strOldSource2, "");
    EXPECT_EQ(info->m_bOldAutoOpen, 0);

    SetRecord(5, "", "", "http://example.org", 1);
    OpenInfo(5);
    EXPECT_EQ(InfoCheck(), BST_CHECKED);
    EXPECT_FALSE(InfoEnabled(ids::kInfoOpen1));
    EXPECT_TRUE(InfoEnabled(ids::kInfoOpen2));
    EXPECT_EQ(InfoText(ids::kInfoSource2), "http://example.org");
}

TEST_F(RowInfoDialog, OpenButtonsFollowTheSourceEdits) {
    OpenInfo(0);
    EXPECT_FALSE(InfoEnabled(ids::kInfoOpen1));
    EXPECT_FALSE(InfoEnabled(ids::kInfoOpen2));

    InfoType(ids::kInfoSource1, "x");
    EXPECT_TRUE(InfoEnabled(ids::kInfoOpen1));
    EXPECT_FALSE(InfoEnabled(ids::kInfoOpen2));
    InfoType(ids::kInfoSource1, "");
    EXPECT_FALSE(InfoEnabled(ids::kInfoOpen1));

    InfoType(ids::kInfoSource2, "y");
    EXPECT_TRUE(InfoEnabled(ids::kInfoOpen2));
    EXPECT_FALSE(InfoEnabled(ids::kInfoOpen1));
    // Deleting the character as the keyboard does.
    ::SendMessageA(InfoItem(ids::kInfoSource2), EM_SETSEL, 0, -1);
    ::SendMessageA(InfoItem(ids::kInfoSource2), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
    EXPECT_FALSE(InfoEnabled(ids::kInfoOpen2));
}

TEST_F(RowInfoDialog, OpenHandsTheEditsCurrentTextToTheShell) {
    SetRecord(1, "", "C:\\alt.txt", "http://alt.example", 1);
    OpenInfo(1);
    InfoType(ids::kInfoSource1, "C:\\neu.txt");
    InfoClick(ids::kInfoOpen1);
    InfoType(ids::kInfoSource2, "http://neu.example");
    InfoClick(ids::kInfoOpen2);
    EXPECT_EQ(seams->shellOpened, (std::vector<std::string>{"C:\\neu.txt", "http://neu.example"}));
    EXPECT_FALSE(info->HasEnded()) << "the dialog stays open";
    ExpectRecord(1, "", "C:\\alt.txt", "http://alt.example", 1);
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(RowInfoDialog, ClearAllThenCancelChangesNothingThenOkEmptiesTheRecord) {
    SetRecord(3, "Text", "C:\\q1.txt", "C:\\q2.txt", 0);
    for (int way = 0; way < 3; ++way) {
        OpenInfo(3);
        InfoClick(ids::kInfoClearAll);
        EXPECT_EQ(InfoText(ids::kInfoText), "");
        EXPECT_EQ(InfoText(ids::kInfoSource1), "");
        EXPECT_EQ(InfoText(ids::kInfoSource2), "");
        EXPECT_EQ(InfoCheck(), BST_CHECKED);
        EXPECT_FALSE(InfoEnabled(ids::kInfoOpen1));
        EXPECT_FALSE(InfoEnabled(ids::kInfoOpen2));
        switch (way) {
            case 0: InfoClick(IDCANCEL); break;
            case 1: InfoCommand(IDCANCEL); break;  // Escape
            case 2:                                // the close box
                ::SendMessageA(Info(), WM_CLOSE, 0, 0);
                PumpUntil([&] { return info->HasEnded(); }, 2000);
                break;
        }
        EXPECT_TRUE(info->HasEnded()) << way;
        EXPECT_EQ(info->ModalResult(), IDCANCEL) << way;
        ExpectRecord(3, "Text", "C:\\q1.txt", "C:\\q2.txt", 0);
        EXPECT_FALSE(dlg->m_bModified) << way;
    }

    OpenInfo(3);
    InfoClick(ids::kInfoClearAll);
    InfoClick(IDOK);
    EXPECT_TRUE(info->HasEnded());
    EXPECT_EQ(info->ModalResult(), IDOK);
    ExpectRecord(3, "", "", "", 1);
    EXPECT_TRUE(dlg->m_bModified);

    // Already empty with the flag set: nothing changes, nothing is marked.
    dlg->m_bModified = FALSE;
    OpenInfo(3);
    InfoClick(ids::kInfoClearAll);
    InfoClick(IDOK);
    ExpectRecord(3, "", "", "", 1);
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(RowInfoDialog, OkMarksModifiedExactlyWhenSomethingDiffers) {
    SetRecord(6, "abc", "s1", "s2", 1);
    for (const BOOL before : {FALSE, TRUE}) {
        // Toggled twice: the same state as before.
        dlg->m_bModified = before;
        OpenInfo(6);
        InfoClick(ids::kInfoAutoOpen);
        InfoClick(ids::kInfoAutoOpen);
        InfoClick(IDOK);
        EXPECT_EQ(dlg->m_bModified, before);
        ExpectRecord(6, "abc", "s1", "s2", 1);
    }

    // Each field on its own; letter case counts.
    const std::vector<std::pair<int, std::string>> edits = {
        {ids::kInfoText, "Abc"}, {ids::kInfoSource1, "S1"}, {ids::kInfoSource2, "s2 "}};
    for (const auto& [id, text] : edits) {
        SetRecord(6, "abc", "s1", "s2", 1);
        dlg->m_bModified = FALSE;
        OpenInfo(6);
        InfoType(id, text);
        InfoClick(IDOK);
        EXPECT_TRUE(dlg->m_bModified) << id;
        EXPECT_EQ(id == ids::kInfoText ? dlg->m_rowInfo[6].strText
                  : id == ids::kInfoSource1 ? dlg->m_rowInfo[6].strSource1
                                            : dlg->m_rowInfo[6].strSource2,
                  text);
    }

    SetRecord(6, "abc", "s1", "s2", 1);
    dlg->m_bModified = FALSE;
    OpenInfo(6);
    InfoClick(ids::kInfoAutoOpen);
    InfoClick(IDOK);
    EXPECT_TRUE(dlg->m_bModified);
    ExpectRecord(6, "abc", "s1", "s2", 0);

    // Only this row's record is written.
    for (int row = 0; row < ids::kRows; ++row) {
        if (row != 6) ExpectRecord(row, "", "", "", 1);
    }
}

TEST_F(RowInfoDialog, BrowseOnUrlRetriesWithPlainDialogAndTakesTheChoice) {
    SetRecord(0, "", "http://example.org/x?y=1", "", 1);
    OpenInfo(0);
    seams->CancelFile(kInvalidFileName);
    seams->AnswerFile("C:\\Daten\\Angebot.pdf");
    InfoClick(ids::kInfoBrowse1);
    ASSERT_EQ(seams->fileRequests.size(), 2u);
    for (const dialogkit::FileDialogRequest& r : seams->fileRequests) {
        EXPECT_TRUE(r.open);
        EXPECT_EQ(r.defaultExt, "");
        EXPECT_EQ(r.flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_LONGNAMES));
        EXPECT_EQ(r.filter, "Alle Dateien|*.*||");
    }
    EXPECT_EQ(seams->fileRequests[0].initialName, "http://example.org/x?y=1");
    EXPECT_EQ(seams->fileRequests[1].initialName, "");
    EXPECT_EQ(InfoText(ids::kInfoSource1), "C:\\Daten\\Angebot.pdf");
    EXPECT_EQ(dlg->m_rowInfo[0].strSource1, "http://example.org/x?y=1") << "the record changes on OK only";

    // The second dialog cancelled too: the edit keeps its text.
    InfoType(ids::kInfoSource1, "http://example.org");
    seams->CancelFile(kInvalidFileName);
    seams->CancelFile(0);
    InfoClick(ids::kInfoBrowse1);
    EXPECT_EQ(seams->fileRequests.size(), 4u);
    EXPECT_EQ(InfoText(ids::kInfoSource1), "http://example.org");

    // Cancelled by the user: no second dialog, nothing changes.
    seams->CancelFile(0);
    InfoClick(ids::kInfoBrowse1);
    EXPECT_EQ(seams->fileRequests.size(), 5u);
    EXPECT_EQ(InfoText(ids::kInfoSource1), "http://example.org");

    // The second source from empty: the choice enables its button.
    EXPECT_FALSE(InfoEnabled(ids::kInfoOpen2));
    seams->AnswerFile("C:\\b.txt");
    InfoClick(ids::kInfoBrowse2);
    ASSERT_EQ(seams->fileRequests.size(), 6u);
    EXPECT_EQ(seams->fileRequests[5].initialName, "");
    EXPECT_EQ(InfoText(ids::kInfoSource2), "C:\\b.txt");
    EXPECT_TRUE(InfoEnabled(ids::kInfoOpen2));
    EXPECT_EQ(InfoText(ids::kInfoSource1), "http://example.org");

    InfoClick(IDOK);
    ExpectRecord(0, "", "http://example.org", "C:\\b.txt", 1);
    EXPECT_TRUE(dlg->m_bModified);
}

TEST_F(RowInfoDialog, OverLongInfoTextIsRefusedAndKept) {
    // 2397 characters and one line break: 2400 stored characters.
    const std::string tooLong = std::string(2000, 'a') + "\r\n" + std::string(397, 'b');
    OpenInfo(7);
    InfoType(ids::kInfoText, tooLong);
    InfoType(ids::kInfoSource1, "C:\\x.txt");
    seams->AnswerBox(IDOK);
    InfoClick(IDOK);
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].text, kTooLong);
    EXPECT_EQ(seams->boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(seams->boxes[0].owner, info->GetSafeHwnd()) << "modal to the dialog, so OK cannot be pressed again";
    EXPECT_FALSE(info->HasEnded());
    EXPECT_EQ(InfoText(ids::kInfoText), tooLong);
    EXPECT_EQ(InfoText(ids::kInfoSource1), "C:\\x.txt");
    ExpectRecord(7, "", "", "", 1);
    EXPECT_FALSE(dlg->m_bModified);

    // One character less fits exactly, and the document keeps all of it.
    const std::string fits = std::string(2000, 'a') + "\r\n" + std::string(396, 'b');
    InfoType(ids::kInfoText, fits);
    InfoClick(IDOK);
    EXPECT_EQ(seams->boxes.size(), 1u);
    EXPECT_TRUE(info->HasEnded());
    EXPECT_EQ(dlg->m_rowInfo[7].strText, fits);
    EXPECT_TRUE(dlg->m_bModified);

    ASSERT_TRUE(dlg->WriteDocument());
    dlg->m_rowInfo[7] = RowInfo{};
    dlg->ReadDocument();
    EXPECT_EQ(dlg->m_rowInfo[7].strText, fits);
    EXPECT_EQ(dlg->m_rowInfo[7].strSource1, "C:\\x.txt");
}

TEST_F(RowInfoDialog, SourcesTakeWhatTheDocumentKeeps) {
    OpenInfo(8);
    for (int id : {ids::kInfoSource1, ids::kInfoSource2}) {
        EXPECT_EQ(::SendMessageA(InfoItem(id), EM_GETLIMITTEXT, 0, 0), 259) << id;
        const std::string typed(300, 'q');
        ::SendMessageA(InfoItem(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
        EXPECT_EQ(InfoText(id).size(), 259u) << id;
    }
    InfoClick(IDOK);
    ASSERT_TRUE(dlg->WriteDocument());
    dlg->m_rowInfo[8] = RowInfo{};
    dlg->ReadDocument();
    EXPECT_EQ(dlg->m_rowInfo[8].strSource1, std::string(259, 'q'));
    EXPECT_EQ(dlg->m_rowInfo[8].strSource2, std::string(259, 'q'));
}

namespace {

// Records the update rectangles of the paints a window receives.
std::vector<RECT> g_paints;
WNDPROC g_originalProc = nullptr;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        RECT update = {};
        if (::GetUpdateRect(hwnd, &update, FALSE)) g_paints.push_back(update);
    }
    return ::CallWindowProcA(g_originalProc, hwnd, msg, wParam, lParam);
}

}  // namespace

TEST_F(RowInfoDialog, RunFromTheMainWindowWritesTheRecordAndRepaintsTheSquare) {
    const int row = 9;
    dlg->m_infoRow = row;
    dlg->m_rcSquare[row] = RECT{500, 140, 510, 150};
    dlg->m_bStartupPending = FALSE;  // no animation on the first paint
    ::ShowWindow(Wnd(), SW_SHOWNA);
    ::UpdateWindow(Wnd());
    g_paints.clear();
    g_originalProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(Wnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));

    HWND owner = nullptr;
    const auto scripted = dialogkit::TheSeams().runModal;
    dialogkit::TheSeams().runModal = [&](dialogkit::Dialog& d, HWND o) {
        owner = o;
        return scripted(d, o);
    };
    seams->AnswerModal([&](dialogkit::Dialog& d) {
        return DriveModeless(d, Wnd(), [&](HWND h) {
            EXPECT_EQ(WindowString(h), "Info 10  -  ");
            ::SetDlgItemTextA(h, ids::kInfoText, "Notiz");
            ::SetDlgItemTextA(h, ids::kInfoSource2, "C:\\z.txt");
            ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    });
    dlg->RunRowInfoDialog();
    ::SetWindowLongPtrA(Wnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_originalProc));

    EXPECT_EQ(seams->modalTemplates, std::vector<UINT>{IDD_ROWINFO});
    EXPECT_EQ(owner, Wnd());
    ExpectRecord(row, "Notiz", "", "C:\\z.txt", 1);
    EXPECT_TRUE(dlg->m_bModified);
    ASSERT_FALSE(g_paints.empty()) << "the square is repainted at once";
    RECT covered;
    EXPECT_TRUE(::IntersectRect(&covered, &g_paints.back(), &dlg->m_rcSquare[row]));
    EXPECT_TRUE(::EqualRect(&covered, &dlg->m_rcSquare[row]));

    // Cancelled: the record stays; the square is repainted all the same.
    dlg->m_bModified = FALSE;
    g_paints.clear();
    ::SetWindowLongPtrA(Wnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc));
    seams->AnswerModal([&](dialogkit::Dialog& d) {
        return DriveModeless(d, Wnd(), [](HWND h) {
            ::SetDlgItemTextA(h, ids::kInfoText, "anders");
            ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
    });
    dlg->RunRowInfoDialog();
    ::SetWindowLongPtrA(Wnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_originalProc));
    ExpectRecord(row, "Notiz", "", "C:\\z.txt", 1);
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_FALSE(g_paints.empty());
}

TEST_F(RowInfoDialog, OpenRowSourceOpensOnlyANonEmptySource) {
    SetRecord(2, "", "C:\\eins.txt", "", 1);
    dlg->OpenRowSource(2, 1);
    dlg->OpenRowSource(2, 2);
    SetRecord(3, "", "", "http://zwei.example", 0);
    dlg->OpenRowSource(3, 1);
    dlg->OpenRowSource(3, 2);
    EXPECT_EQ(seams->shellOpened, (std::vector<std::string>{"C:\\eins.txt", "http://zwei.example"}));
}
