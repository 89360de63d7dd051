// The document file: a fresh write byte for byte against a file kept in the
// tests, every field back after a round trip, foreign lines kept in place,
// and what the reader makes of every default and hand-edited value.
#include "document/DocumentTestSupport.h"

using doctest::CrLf;

class DocumentFile : public doctest::DocumentTest {
protected:
    // Everything the window and the members hold, as one comparable text.
    std::string Snapshot() const {
        std::string s = "N" + std::to_string(Check(ids::kNumbers)) + " lines";
        for (int line : dlg->m_separatorLines) s += std::to_string(line);
        for (int column = 0; column < ids::kColumns; ++column) s += "\n" + Text(ids::Name(column));
        for (int row = 0; row < ids::kRows; ++row) {
            const RowInfo& info = dlg->m_rowInfo[row];
            s += "\n" + Text(ids::Goods(row)) + "|" + Text(ids::Price(row)) + "|" + std::to_string(Enabled(ids::Goods(row))) +
                 std::to_string(Enabled(ids::Price(row))) + "|" + dlg->m_rowLinkFile[row] + "|" +
                 std::to_string(dlg->m_rowLinkColumn[row]) + "|" + info.strText + "|" + info.strSource1 + "|" +
                 info.strSource2 + "|" + std::to_string(info.nAutoOpen) + "|";
            for (int column = 0; column < ids::kColumns; ++column) s += std::to_string(Check(ids::Selection(row, column)));
        }
        return s;
    }
    // Anything but the defaults, so that a read must change it.
    void Clutter() const {
        for (int row = 0; row < ids::kRows; ++row) {
            Type(ids::Goods(row), "alt");
            ::EnableWindow(Item(ids::Goods(row)), FALSE);
            for (int column = 0; column < ids::kColumns; ++column) dlg->SelectionButtonState(row, column, 1);
            dlg->m_rowLinkColumn[row] = 3;
            dlg->m_rowLinkFile[row] = "C:\\alt.pgx";
            dlg->m_rowInfo[row] = RowInfo{"alt", "alt1", "alt2", 0};
        }
        for (int column = 0; column < ids::kColumns; ++column) Type(ids::Name(column), "alt");
        dlg->m_btnNumbers.SetCheck(1);
        for (int& line : dlg->m_separatorLines) line = 1;
        dlg->m_bPublishPending = FALSE;
    }
};

TEST_F(DocumentFile, AFreshWriteIsTheKeptFileAndReadsBackWhole) {
    // Every kind of field, with umlauts, a link, line breaks and limits.
    for (int row = 0; row < ids::kRows; row += 3) {
        Type(ids::Goods(row), "M\xFCller " + std::to_string(row));
        Type(ids::Price(row), std::to_string(row) + ".25");
        for (int column = 0; column < ids::kColumns; ++column) dlg->SelectionButtonState(row, column, (row + column) % 2);
        dlg->m_rowInfo[row] = RowInfo{"Zeile\r\n" + std::to_string(row), "C:\\Belege\\" + std::to_string(row) + ".pdf", "",
                                      row % 2};
    }
    Type(ids::Goods(19), std::string(259, '\xC4'));
    Type(ids::Name(0), "K\xFC" "che");
    Type(ids::Name(6), "Gr\xFCn");
    Click(ids::kNumbers);
    dlg->m_separatorLines[0] = dlg->m_separatorLines[18] = 1;
    dlg->m_rowLinkFile[4] = "C:\\Listen\\Andere.pgx";
    dlg->m_rowLinkColumn[4] = 4;
    Type(ids::Goods(4), "[E] - [Andere]--> Vorrat");
    ::EnableWindow(Item(ids::Goods(4)), FALSE);
    ::EnableWindow(Item(ids::Price(4)), FALSE);
    dlg->m_rowInfo[7].strSource2 = "https://example.org/?a=1";
    dlg->UpdateSums();
    const std::string written = Snapshot();
    WriteTo(At("Neu.pgx"));
    const std::string actual = ReadFileBytes(At("Neu.pgx"));
    const std::string expected = ReadFileBytes(doctest::TestData("fresh.pgx"));
    ASSERT_FALSE(expected.empty());
    if (actual != expected) WriteFileBytes(TestDir() + "\\fresh-actual.pgx", actual);
    EXPECT_EQ(actual, expected) << "the written file is in " << TestDir();
    EXPECT_EQ(doctest::FolderListing(Folder()), std::set<std::string>{"Neu.pgx"}) << "no copy is left";

    Clutter();
    ReadFrom(At("Neu.pgx"));
    EXPECT_EQ(Snapshot(), written);
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_TRUE(dlg->m_bPublishPending);
}

TEST_F(DocumentFile, WritingIntoAnExistingDocumentKeepsEverythingElseInPlace) {
    WriteFileBytes(At("Alt.pgx"), CrLf({"; von Hand", "[Fremd]", "Schluessel=Wert", "[liste]", "Ware 01=alt",
                                        "Extra=bleibt", "Preis01=1", "", "[INFO]", "Eigen=ja", "[Ende]", "x=y"}));
    ReadFrom(At("Alt.pgx"));
    Type(ids::Goods(0), "neu");
    WriteTo(At("Alt.pgx"));
    const std::string after = ReadFileBytes(At("Alt.pgx"));
    EXPECT_EQ(after.find(CrLf({"; von Hand", "[Fremd]", "Schluessel=Wert", "[liste]", "Ware 01=neu", "Extra=bleibt",
                               "Preis01=1", "Ware 02=", "Preis02="})),
              0u)
        << "keys replaced in place, new keys after the section's last";
    EXPECT_NE(after.find("\r\n[INFO]\r\nEigen=ja\r\nText01=\r\n"), std::string::npos);
    EXPECT_NE(after.find("AutoRn=11111111111111111111\r\n[Ende]\r\nx=y\r\n[A]\r\nName=\r\nSumme="), std::string::npos)
        << "new sections at the end";
    EXPECT_EQ(after.find("[LISTE]"), std::string::npos) << "section names match without regard to case";
}

// What the reader makes of a file: each case a file and what must follow.
TEST_F(DocumentFile, TheReaderTakesDefaultsAndOddValuesAsDecided) {
    struct ReadCase {
        std::vector<std::string> lines;  // none: no file at all
        std::function<void()> expect;
    };
    auto row = [&](int r) { return dlg->m_rowInfo[r]; };
    const std::vector<ReadCase> cases = {
        {{}, [&] {
             EXPECT_EQ(Snapshot(), [&] {
                 std::string s = "N0 lines0000000000000000000" + std::string(7, '\n');
                 for (int r = 0; r < ids::kRows; ++r) s += "\n||11||-1||||1|0000000";
                 return s;
             }());
             EXPECT_EQ(Text(ids::Selection(3, 3)), "") << "no row numbers";
         }},
        {{"[SHARED]", "Column=3/x", "File 01=C:\\Andere.pgx"}, [&] {
             EXPECT_EQ(dlg->m_rowLinkColumn[0], 3);
             EXPECT_FALSE(Enabled(ids::Goods(0)));
             for (int r = 1; r < ids::kRows; ++r) EXPECT_EQ(dlg->m_rowLinkColumn[r], -1) << r;
             EXPECT_TRUE(Enabled(ids::Price(1)));
         }},
        {{"[SHARED]", "Column=77777777777777777777  "}, [&] { EXPECT_EQ(dlg->m_rowLinkColumn[5], -1); }},
        {{"[SHARED]", "Column=/2"}, [&] {
             EXPECT_EQ(dlg->m_rowLinkFile[1], "");
             EXPECT_FALSE(Enabled(ids::Goods(1))) << "a column without a path disables all the same";
         }},
        {{"[INFO]", "Text01=eins|~|zwei|~||~|drei", "Text02=" + std::string(2500, 'z'),
          "Text03=" + std::string(2390, 'x') + "|~|" + std::string(20, 'y')},
         [&] {
             EXPECT_EQ(row(0).strText, "eins\r\nzwei\r\n\r\ndrei") << "a typed |~| comes back as a line break";
             EXPECT_EQ(row(1).strText, std::string(2399, 'z'));
             EXPECT_EQ(row(2).strText, std::string(2390, 'x') + "\r\n" + std::string(6, 'y')) << "cut encoded";
         }},
        {{"[SETTINGS]", "NumbersOn=1", "Lines=1000000000000000001"}, [&] {
             EXPECT_EQ(Check(ids::kNumbers), 1);
             EXPECT_EQ(Text(ids::Selection(19, 6)), "20");
             for (int i = 0; i < ids::kSeparators; ++i) EXPECT_EQ(dlg->m_separatorLines[i], i == 0 || i == 18) << i;
         }},
        {{"[BUTTONS]", "A=11", "C=2/0", "[SETTINGS]", "Lines=2/", "[INFO]", "AutoRn=0/"}, [&] {
             EXPECT_EQ(Check(ids::Selection(1, 0)), 1);
             EXPECT_EQ(Check(ids::Selection(2, 0)), 0) << "short strings end in the default";
             EXPECT_EQ(Check(ids::Selection(0, 2)), 1) << "above 1 selects";
             EXPECT_EQ(Check(ids::Selection(1, 2)), 1) << "below 0 leaves the button as it was";
             EXPECT_EQ(dlg->m_separatorLines[0], 2);
             EXPECT_EQ(dlg->m_separatorLines[1], -1);
             EXPECT_EQ(row(0).nAutoOpen, 0);
             EXPECT_EQ(row(1).nAutoOpen, -1);
             EXPECT_EQ(row(2).nAutoOpen, 1);
         }},
        {{"[liste]", "  ware 01  =  \"Brot\"  ", "Preis01='2.5'", "Preis02=" + std::string(300, '9')}, [&] {
             EXPECT_EQ(Text(ids::Goods(0)), "Brot");
             EXPECT_EQ(Text(ids::Price(0)), "2.5");
             EXPECT_EQ(Text(ids::Price(1)), std::string(259, '9'));
         }},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        const std::string path = At("Fall" + std::to_string(i) + ".pgx");
        std::string bytes;
        for (const std::string& line : cases[i].lines) bytes += line + "\r\n";
        if (!bytes.empty()) WriteFileBytes(path, bytes);
        Clutter();
        dlg->m_bModified = TRUE;
        ReadFrom(path);
        cases[i].expect();
        EXPECT_FALSE(dlg->m_bModified);
        EXPECT_TRUE(dlg->m_bPublishPending);
    }
    EXPECT_FALSE(Exists(At("Fall0.pgx"))) << "reading creates nothing";
}

TEST_F(DocumentFile, EditsTakeNoMoreThanADocumentKeeps) {
    for (int id : {ids::Goods(0), ids::Price(19), ids::Name(6)}) {
        EXPECT_EQ(::SendMessageA(Item(id), EM_GETLIMITTEXT, 0, 0), 259) << id;
    }
    for (int i = 0; i < 262; ++i) ::SendMessageA(Item(ids::Goods(0)), WM_CHAR, 'a' + i % 26, 0);
    EXPECT_EQ(Text(ids::Goods(0)).size(), 259u);
}
