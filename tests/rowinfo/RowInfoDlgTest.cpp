// The row info dialog, run as the double-click on a row's square runs it:
// what it shows, its sources, and what OK and Cancel leave in the record.
#include "links/LinksFixture.h"

static void PrintTo(const RowInfo& r, std::ostream* out) {
    *out << "text \"" << r.strText << "\", sources \"" << r.strSource1 << "\" and \"" << r.strSource2 << "\", "
         << (r.nAutoOpen ? "opens" : "does not open") << " by itself";
}

class RowInfoDialog : public LinksTest {
protected:
    void Run(int row, const std::function<void(HWND)>& work) {
        seams->AnswerDialog(work);
        dlg->m_infoRow = row;
        dlg->RunRowInfoDialog();
    }
};

TEST_F(RowInfoDialog, ShowsTheRecordAndWorksItsSources) {
    const std::string url = "http://example.org/x?y=1";
    dlg->m_rowInfo[2] = RowInfo{"Zeile", url, "", 1};
    Type(ids::Goods(2), "\xC4pfel");
    seams->CancelFile(0x3002);  // FNERR_INVALIDFILENAME: the file dialog cannot start with the URL
    seams->AnswerFile("C:\\A.pdf");
    seams->CancelFile(0);
    seams->AnswerBox(IDNO);  // a program is not started
    // Typed into a source, or a button pressed; then the first source, and which "Öffnen" are enabled.
    const struct { int id; const char* text; std::string source1; bool open1, open2; } steps[] = {
        {0, "", url, true, false}, {ids::kInfoBrowse1, nullptr, "C:\\A.pdf", true, false},
        {ids::kInfoOpen1, nullptr, "C:\\A.pdf", true, false}, {ids::kInfoSource1, "", "", false, false},
        {ids::kInfoBrowse1, nullptr, "", false, false}, {ids::kInfoSource2, "rechnung.cmd", "", false, true},
        {ids::kInfoOpen2, nullptr, "", false, true}, {ids::kInfoSource2, "", "", false, false}};
    Run(2, [&](HWND h) {
        EXPECT_EQ(dialogkit::WindowText(h, 260), "Info 03  -  \xC4pfel") << "in Windows-1252 on the screen";
        auto enabled = [h](int id) { return ::IsWindowEnabled(::GetDlgItem(h, id)) != FALSE; };
        for (const auto& s : steps) {
            SCOPED_TRACE(s.id);
            if (s.id) s.text ? SetItem(h, s.id, s.text) : Press(h, s.id);
            EXPECT_EQ(ItemText(h, ids::kInfoSource1), s.source1);
            EXPECT_EQ(enabled(ids::kInfoOpen1), s.open1);
            EXPECT_EQ(enabled(ids::kInfoOpen2), s.open2);
        }
        EXPECT_EQ(seams->boxes.at(0).owner, h) << "the question is modal to the dialog";
        Press(h, IDOK);
    });
    // Again without a name when it cannot start; the seams refuse a further try after a cancel.
    EXPECT_EQ(seams->fileRequests.at(0).initialName, url);
    EXPECT_EQ(seams->fileRequests.at(1).initialName, "");
    EXPECT_EQ(seams->shellOpened, std::vector<std::string>{"C:\\A.pdf"}) << "what the edit holds; not the batch file";
    EXPECT_EQ(seams->boxes.at(0).text, "Die Quelle   rechnung.cmd   startet ein Programm. Trotzdem öffnen ?");
    EXPECT_EQ(dlg->m_rowInfo[2], (RowInfo{"Zeile", "", "", 1}));
}

TEST_F(RowInfoDialog, OnlyOkStoresAndMarksModifiedExactlyWhenSomethingDiffers) {
    const RowInfo kept{"abc", "s1", "s2", 0};
    // Typed into (with a text) or pressed, the check box toggled, then OK or Cancel (as Escape and the close box do).
    const struct { int id; const char* text; int toggles, end; RowInfo stored; } cases[] = {
        {0, "", 2, IDOK, kept}, {ids::kInfoText, "Abc", 0, IDOK, {"Abc", "s1", "s2", 0}},
        {ids::kInfoSource1, "S1", 0, IDOK, {"abc", "S1", "s2", 0}}, {ids::kInfoSource2, "s2 ", 0, IDOK, {"abc", "s1", "s2 ", 0}},
        {0, "", 1, IDOK, {"abc", "s1", "s2", 1}}, {ids::kInfoClearAll, nullptr, 0, IDOK, {"", "", "", 1}},
        {ids::kInfoClearAll, nullptr, 1, IDCANCEL, kept}, {ids::kInfoText, "neu", 0, IDCANCEL, kept}};
    for (const auto& c : cases) {
        for (const BOOL before : {FALSE, TRUE}) {
            dlg->m_rowInfo[6] = kept;
            // Modified before or not, as the history has it.
            dlg->StartNewHistory();
            if (before) dlg->ToggleSeparator(0);
            Run(6, [&](HWND h) {
                if (c.id) c.text ? SetItem(h, c.id, c.text) : Press(h, c.id);
                for (int i = 0; i < c.toggles; ++i) Press(h, ids::kInfoAutoOpen);
                Press(h, c.end);
            });
            EXPECT_EQ(dlg->m_rowInfo[6], c.stored);
            EXPECT_EQ(dlg->m_bModified, before || !(c.stored == kept)) << "modified before: " << before;
        }
    }
}

TEST_F(RowInfoDialog, OverLongInfoTextIsRefusedAndKeptOneLessIsSavedWhole) {
    // 2397 characters and a line break: 2400 stored characters, one too many.
    const std::string tooLong = std::string(2000, 'a') + "\r\n" + std::string(397, 'b');
    const std::string fits = tooLong.substr(0, tooLong.size() - 1), source(259, 'q');
    seams->AnswerBox(IDOK);
    Run(7, [&](HWND h) {
        SetItem(h, ids::kInfoText, tooLong);
        // Typed into a source: it takes all a document keeps of one.
        ::SendDlgItemMessageA(h, ids::kInfoSource1, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>((source + "q").c_str()));
        Press(h, IDOK);
        EXPECT_EQ(seams->boxes.at(0).text, "Der Info-Text ist zu lang !");
        EXPECT_EQ(seams->boxes.at(0).owner, h) << "modal to the dialog, so OK cannot be pressed again";
        EXPECT_EQ(ItemText(h, ids::kInfoText), tooLong);
        EXPECT_EQ(ItemText(h, ids::kInfoSource1), source);
        EXPECT_EQ(dlg->m_rowInfo[7], RowInfo{}) << "nothing stored yet";
        EXPECT_FALSE(dlg->m_bModified);
        SetItem(h, ids::kInfoText, fits);
        Press(h, IDOK);
    });
    Path("Unbenannt.pgx");
    ASSERT_TRUE(dlg->WriteDocument());
    dlg->m_rowInfo[7] = RowInfo{};
    dlg->ReadDocument();
    EXPECT_EQ(dlg->m_rowInfo[7], (RowInfo{fits, source, "", 1}));
}
