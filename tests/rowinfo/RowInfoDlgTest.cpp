// The row info dialog, run as the double-click on a row's square runs it:
// what it shows, its sources, and what OK and Cancel leave in the record.
#include "links/LinksFixture.h"

class RowInfoDialog : public LinksTest {
protected:
    void Run(int row, const std::function<void(HWND)>& work) {
        seams->AnswerModal([this, work](dialogkit::Dialog& d) { return DriveModeless(d, Wnd(), work); });
        dlg->m_infoRow = row;
        dlg->RunRowInfoDialog();
    }
    std::string Record(int row) const {
        const RowInfo& r = dlg->m_rowInfo[row];
        return r.strText + "|" + r.strSource1 + "|" + r.strSource2 + "|" + std::to_string(r.nAutoOpen);
    }
};

TEST_F(RowInfoDialog, ShowsTheRecordAndWorksItsSources) {
    const std::string url = "http://example.org/x?y=1";
    dlg->m_rowInfo[2] = RowInfo{"Zeile", url, "", 1};
    Type(ids::Goods(2), "\xC4pfel");
    seams->CancelFile(0x3002);  // FNERR_INVALIDFILENAME: the file dialog cannot start with the URL
    seams->AnswerFile("C:\\A.pdf");
    seams->CancelFile(0);
    // Typed into a source, or a button pressed; then the first source, and '+' for each enabled "Öffnen".
    const struct { int id; const char* text; std::string after; } steps[] = {
        {0, "", url + "+-"}, {ids::kInfoBrowse1, nullptr, "C:\\A.pdf+-"}, {ids::kInfoOpen1, nullptr, "C:\\A.pdf+-"},
        {ids::kInfoSource1, "", "--"}, {ids::kInfoBrowse1, nullptr, "--"}, {ids::kInfoSource2, "C:\\b.txt", "-+"},
        {ids::kInfoSource2, "", "--"}};
    Run(2, [&](HWND h) {
        EXPECT_EQ(dialogkit::WindowText(h, 260), "Info 03  -  \xC4pfel") << "in Windows-1252 on the screen";
        auto on = [h](int id) { return ::IsWindowEnabled(::GetDlgItem(h, id)) ? "+" : "-"; };
        for (const auto& s : steps) {
            if (s.id) s.text ? SetItem(h, s.id, s.text) : Press(h, s.id);
            EXPECT_EQ(ItemText(h, ids::kInfoSource1) + on(ids::kInfoOpen1) + on(ids::kInfoOpen2), s.after) << s.id;
        }
        Press(h, IDOK);
    });
    // Again without a name when it cannot start; the seams refuse a further try after a cancel.
    EXPECT_EQ(seams->fileRequests.at(0).initialName + "|" + seams->fileRequests.at(1).initialName, url + "|");
    EXPECT_EQ(seams->shellOpened, std::vector<std::string>{"C:\\A.pdf"}) << "what the edit holds";
    EXPECT_EQ(Record(2), "Zeile|||1");
}

TEST_F(RowInfoDialog, OnlyOkStoresAndMarksModifiedExactlyWhenSomethingDiffers) {
    const std::string kept = "abc|s1|s2|0";
    // Typed into (with a text) or pressed, the check box toggled, then OK or Cancel (as Escape and the close box do).
    const struct { int id; const char* text; int toggles, end; std::string stored; } cases[] = {
        {0, "", 2, IDOK, kept}, {ids::kInfoText, "Abc", 0, IDOK, "Abc|s1|s2|0"},
        {ids::kInfoSource1, "S1", 0, IDOK, "abc|S1|s2|0"}, {ids::kInfoSource2, "s2 ", 0, IDOK, "abc|s1|s2 |0"},
        {0, "", 1, IDOK, "abc|s1|s2|1"}, {ids::kInfoClearAll, nullptr, 0, IDOK, "|||1"},
        {ids::kInfoClearAll, nullptr, 1, IDCANCEL, kept}, {ids::kInfoText, "neu", 0, IDCANCEL, kept}};
    for (const auto& c : cases) {
        for (const BOOL before : {FALSE, TRUE}) {
            dlg->m_rowInfo[6] = RowInfo{"abc", "s1", "s2", 0};
            dlg->m_bModified = before;
            Run(6, [&](HWND h) {
                if (c.id) c.text ? SetItem(h, c.id, c.text) : Press(h, c.id);
                for (int i = 0; i < c.toggles; ++i) Press(h, ids::kInfoAutoOpen);
                Press(h, c.end);
            });
            EXPECT_EQ(Record(6), c.stored);
            EXPECT_EQ(dlg->m_bModified, before || c.stored != kept) << c.stored << " " << before;
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
        EXPECT_EQ(ItemText(h, ids::kInfoText) + "|" + ItemText(h, ids::kInfoSource1), tooLong + "|" + source);
        EXPECT_EQ(Record(7) + (dlg->m_bModified ? " modified" : ""), "|||1");
        SetItem(h, ids::kInfoText, fits);
        Press(h, IDOK);
    });
    Path("Unbenannt.pgx");
    ASSERT_TRUE(dlg->WriteDocument());
    dlg->m_rowInfo[7] = RowInfo{};
    dlg->ReadDocument();
    EXPECT_EQ(Record(7), fits + "|" + source + "||1");
}
