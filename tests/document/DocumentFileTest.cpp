// The document file against files kept with the tests: a fresh write byte
// for byte; and what reading then writing makes of a hand-edited document
// (every odd value as the reader takes it, foreign lines in place) and of
// no file at all (every default).
#include "document/DocumentTestSupport.h"
#include "grid/SelectionLook.h"

class DocumentFile : public documents::DocumentTest {
protected:
    // Anything but the defaults, so that a read must change it.
    void Clutter() const {
        for (int row = 0; row < ids::kRows; ++row) {
            Type(ids::Goods(row), "alt");
            for (int column = 0; column < ids::kColumns; ++column) dlg->SelectionButtonState(row, column, 1);
            dlg->m_rowLinkColumn[row] = 3;
            dlg->m_rowLinkFile[row] = "C:\\alt.pgx";
            dlg->m_rowInfo[row] = RowInfo{"alt", "alt1", "alt2", 0};
        }
        for (int column = 0; column < ids::kColumns; ++column) Type(ids::Name(column), "alt");
        dlg->m_btnNumbers.SetCheck(1);
        for (int& line : dlg->m_separatorLines) line = 1;
        dlg->m_bPublishPending = FALSE;
        dlg->m_bModified = TRUE;
    }
    void ExpectKept(const std::string& path, const std::string& kept) const {
        const std::string actual = ReadFileBytes(path), expected = ReadFileBytes(documents::TestData(kept));
        if (actual != expected) WriteFileBytes(TestDir() + "\\actual-" + kept, actual);
        EXPECT_EQ(actual, expected) << kept << ": what was written is in " << TestDir();
    }
};

TEST_F(DocumentFile, AFreshWriteIsTheKeptFileAndReadsBackWhole) {
    // Every kind of field, with umlauts, a link, line breaks and limits.
    for (int row = 0; row < ids::kRows; row += 3) {
        Type(ids::Goods(row), "M\xFCller " + std::to_string(row));
        Type(ids::Price(row), std::to_string(row) + ".25");
        for (int column = 0; column < ids::kColumns; ++column) dlg->SelectionButtonState(row, column, (row + column) % 2);
        // Line breaks of every kind, in the info text and pasted into a source.
        dlg->m_rowInfo[row] = RowInfo{"Zeile\r\n" + std::to_string(row) + "\nAutoRn=0\rEnde", "C:\\Belege\r\n" + std::to_string(row), "", row % 2};
    }
    Type(ids::Goods(19), std::string(259, '\xC4'));
    Type(ids::Name(0), "K\xFC" "che");
    Type(ids::Name(6), "Gr\xFCn");
    Click(ids::kNumbers);
    dlg->m_separatorLines[0] = dlg->m_separatorLines[18] = 1;
    dlg->m_rowLinkFile[4] = "C:\\Listen\\Andere.pgx";
    dlg->m_rowLinkColumn[4] = 6;  // G, the last column
    Type(ids::Goods(4), "[G] - [Andere]--> Vorrat");
    dlg->m_rowInfo[7].strSource2 = "https://example.org/?a=1";
    dlg->UpdateSums();
    WriteTo(At("Neu.pgx"));
    ExpectKept(At("Neu.pgx"), "fresh.pgx");
    EXPECT_EQ(documents::FolderListing(Folder()), std::set<std::string>{"Neu.pgx"}) << "no copy is left";

    // Read back into a window holding something else, and written again.
    Clutter();
    ReadFrom(At("Neu.pgx"));
    EXPECT_TRUE(!dlg->m_bModified && dlg->m_bPublishPending);
    EXPECT_EQ(dlg->m_rowInfo[3].strText, "Zeile\r\n3\r\nAutoRn=0\r\nEnde") << "every line break back as CR LF";
    EXPECT_FALSE(Enabled(ids::Price(4))) << "a linked row comes back disabled";
    EXPECT_EQ(grid::FaceText(Item(ids::Selection(19, 6))), "20") << "numbers on";
    WriteTo(At("Wieder.pgx"));
    ExpectKept(At("Wieder.pgx"), "fresh.pgx");
}

TEST_F(DocumentFile, AHandEditedDocumentAndNoDocumentAreTakenAsDecided) {
    WriteFileBytes(At("Hand.pgx"), ReadFileBytes(documents::TestData("odd.pgx")));
    Clutter();
    ReadFrom(At("Hand.pgx"));
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_FALSE(Enabled(ids::Goods(2))) << "a column without a path disables all the same";
    EXPECT_TRUE(Enabled(ids::Goods(3))) << "a column past G is no link";
    WriteTo(At("Hand.pgx"));
    ExpectKept(At("Hand.pgx"), "odd-saved.pgx");

    Clutter();
    ReadFrom(At("fehlt.pgx"));
    EXPECT_FALSE(Exists(At("fehlt.pgx"))) << "reading creates nothing";
    EXPECT_EQ(grid::FaceText(Item(ids::Selection(3, 3))), "") << "no row numbers";
    EXPECT_TRUE(Enabled(ids::Price(7)));
    WriteTo(At("Leer.pgx"));
    ExpectKept(At("Leer.pgx"), "defaults.pgx");

    // Saved by an editor in Unicode: read as the platform reads it; not saved
    // again where the code page would lose a character.
    WriteFileBytes(At("Utf8.pgx"), "\xEF\xBB\xBF[LISTE]\r\nWare 01=K\xC3\xA4se\r\n");
    ReadFrom(At("Utf8.pgx"));
    EXPECT_EQ(Text(ids::Goods(0)), "K\xE4se");
    WriteFileBytes(At("Utf16.pgx"), std::string("\xFF\xFE[\0A\0]\0\r\0\n\0x\0=\0\x3A\x04", 18));
    ReadFrom(At("Utf16.pgx"));
    seams->AnswerBox(IDOK);
    EXPECT_FALSE(dlg->WriteDocument());
    EXPECT_EQ(ReadFileBytes(At("Utf16.pgx")).size(), 18u);

    EXPECT_EQ(::SendMessageA(Item(ids::Name(6)), EM_GETLIMITTEXT, 0, 0), 259) << "edits take what a document keeps";
    for (int i = 0; i < 262; ++i) ::SendMessageA(Item(ids::Goods(0)), WM_CHAR, 'a' + i % 26, 0);
    EXPECT_EQ(Text(ids::Goods(0)).size(), 259u);
}
