// The document file: what the writer puts into it, byte for byte, and what
// the reader makes of every value, including hand-edited ones.
#include "document/DocumentCodec.h"
#include "document/DocumentTestSupport.h"

#include <cstdio>

using doctest::CrLf;

namespace {

std::string Key(const char* format, int row) {
    char key[32];
    std::snprintf(key, sizeof key, format, row + 1);
    return key;
}

// Some distinct text per row and field: "<tag><row>" padded to length.
std::string Filled(const std::string& tag, int row, size_t length) {
    std::string text = tag + std::to_string(row) + "-";
    while (text.size() < length) text += static_cast<char>('a' + (text.size() * 7 + row) % 26);
    return text.substr(0, length);
}

}  // namespace

class DocumentFormat : public doctest::DocumentTest {
protected:
    // Everything the window and the members hold, as seen from outside.
    struct Snapshot {
        std::vector<std::string> goods, prices, names;
        std::vector<int> checks;
        int numbers = 0;
        std::vector<int> lines, linkColumns;
        std::vector<std::string> linkFiles, texts, sources1, sources2;
        std::vector<int> autoOpen;
        std::vector<bool> enabled;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot Take() const {
        Snapshot s;
        for (int row = 0; row < ids::kRows; ++row) {
            s.goods.push_back(Text(ids::Goods(row)));
            s.prices.push_back(Text(ids::Price(row)));
            s.enabled.push_back(Enabled(ids::Goods(row)));
            s.enabled.push_back(Enabled(ids::Price(row)));
            s.linkColumns.push_back(dlg->m_rowLinkColumn[row]);
            s.linkFiles.push_back(dlg->m_rowLinkFile[row]);
            s.texts.push_back(dlg->m_rowInfo[row].strText);
            s.sources1.push_back(dlg->m_rowInfo[row].strSource1);
            s.sources2.push_back(dlg->m_rowInfo[row].strSource2);
            s.autoOpen.push_back(dlg->m_rowInfo[row].nAutoOpen);
            for (int column = 0; column < ids::kColumns; ++column) s.checks.push_back(Check(ids::Selection(row, column)));
        }
        for (int column = 0; column < ids::kColumns; ++column) s.names.push_back(Text(ids::Name(column)));
        s.numbers = Check(ids::kNumbers);
        s.lines.assign(dlg->m_separatorLines, dlg->m_separatorLines + ids::kSeparators);
        return s;
    }
    // Anything but the defaults, so that a read must change it.
    void Clutter() const {
        for (int row = 0; row < ids::kRows; ++row) {
            Type(ids::Goods(row), "alt");
            Type(ids::Price(row), "9");
            ::EnableWindow(Item(ids::Goods(row)), FALSE);
            ::EnableWindow(Item(ids::Price(row)), FALSE);
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
    std::string ReadKey(const std::string& file, const char* section, const std::string& key) const {
        char buffer[4096] = {};
        ::GetPrivateProfileStringA(section, key.c_str(), "<missing>", buffer, sizeof buffer, file.c_str());
        return buffer;
    }
};

TEST_F(DocumentFormat, AFreshWriteHasTheLayoutByteForByte) {
    Type(ids::Goods(0), "M\xFCller-Brot");
    Type(ids::Price(0), "2.50");
    Type(ids::Goods(19), "K\xE4se \xDC");
    Type(ids::Price(19), "3");
    Type(ids::Name(0), "W\xF6" "che");
    Type(ids::Name(6), "Gr\xFC" "n");
    Click(ids::Selection(0, 0));
    Click(ids::Selection(19, 0));
    Click(ids::Selection(19, 6));
    Click(ids::kNumbers);
    dlg->m_separatorLines[0] = 1;
    dlg->m_separatorLines[18] = 1;
    dlg->m_rowLinkFile[2] = "C:\\Listen\\Andere.pgx";
    dlg->m_rowLinkColumn[2] = 4;
    dlg->m_rowInfo[0] = RowInfo{"a\r\nb", "C:\\x.txt", "http://example.org/", 1};
    dlg->m_rowInfo[5].nAutoOpen = 0;
    dlg->UpdateSums();
    WriteTo(At("Neu.pgx"));

    std::vector<std::string> lines{"[LISTE]"};
    for (int row = 0; row < ids::kRows; ++row) {
        const char* goods = row == 0 ? "M\xFCller-Brot" : row == 19 ? "K\xE4se \xDC" : "";
        const char* price = row == 0 ? "2.50" : row == 19 ? "3" : "";
        lines.push_back(Key("Ware %02i", row) + "=" + goods);
        lines.push_back(Key("Preis%02i", row) + "=" + price);
    }
    const char* sums[] = {"5.50", "0.00", "0.00", "0.00", "0.00", "0.00", "3.00"};
    const char* names[] = {"W\xF6" "che", "", "", "", "", "", "Gr\xFC" "n"};
    for (int column = 0; column < ids::kColumns; ++column) {
        lines.push_back(std::string("[") + ids::ColumnLetter(column) + "]");
        lines.push_back(std::string("Name=") + names[column]);
        lines.push_back(std::string("Summe=") + sums[column]);
    }
    lines.push_back("[BUTTONS]");
    lines.push_back("A=10000000000000000001");
    for (const char* letter : {"B", "C", "D", "E", "F"}) lines.push_back(std::string(letter) + "=" + std::string(20, '0'));
    lines.push_back("G=00000000000000000001");
    lines.push_back("[SETTINGS]");
    lines.push_back("NumbersOn=1");
    lines.push_back("Lines=1000000000000000001");
    lines.push_back("[SHARED]");
    for (int row = 0; row < ids::kRows; ++row) {
        lines.push_back(Key("File %02i", row) + "=" + (row == 2 ? "C:\\Listen\\Andere.pgx" : ""));
    }
    lines.push_back("Column=//4/////////////////");
    lines.push_back("[INFO]");
    for (int row = 0; row < ids::kRows; ++row) {
        lines.push_back(Key("Text%02i", row) + "=" + (row == 0 ? "a|~|b" : ""));
        lines.push_back(Key("URN1%02i", row) + "=" + (row == 0 ? "C:\\x.txt" : ""));
        lines.push_back(Key("URN2%02i", row) + "=" + (row == 0 ? "http://example.org/" : ""));
    }
    lines.push_back("AutoRn=11111011111111111111");
    std::string expected;
    for (const std::string& line : lines) expected += line + "\r\n";

    const std::string actual = ReadFileBytes(At("Neu.pgx"));
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(doctest::FolderListing(Folder()), std::set<std::string>{"Neu.pgx"}) << "no temporary file is left";
}

TEST_F(DocumentFormat, EveryFieldSurvivesARoundTrip) {
    // Every field at its limit and different from its neighbours: texts of
    // 259 characters with umlauts, info texts of 2,399 encoded characters.
    for (int row = 0; row < ids::kRows; ++row) {
        Type(ids::Goods(row), "\xC4" + Filled("W", row, 258));
        Type(ids::Price(row), Filled("P", row, 259));
        for (int column = 0; column < ids::kColumns; ++column) {
            dlg->SelectionButtonState(row, column, (row * 3 + column) % 4 == 0 ? 1 : 0);
        }
        dlg->m_rowLinkColumn[row] = row % 8 - 1;  // -1 .. 6
        dlg->m_rowLinkFile[row] = row % 3 == 0 ? "" : "C:\\" + Filled("L", row, 251) + ".pgx";
        const BOOL free = dlg->m_rowLinkColumn[row] < 0;
        ::EnableWindow(Item(ids::Goods(row)), free);
        ::EnableWindow(Item(ids::Price(row)), free);
        std::string text;
        while (EncodeInfoText(text).size() < 2399) text += (text.size() % 50 == 49) ? std::string("\r\n") : Filled("", row, 1);
        while (EncodeInfoText(text).size() > 2399) text.pop_back();
        if (!text.empty() && text.back() == '\r') text.pop_back();
        dlg->m_rowInfo[row] = RowInfo{"\xD6" + text.substr(1), Filled("Q", row, 259), "http://" + Filled("U", row, 252),
                                      row % 2};
    }
    for (int column = 0; column < ids::kColumns; ++column) Type(ids::Name(column), "\xDF" + Filled("N", column, 258));
    dlg->m_btnNumbers.SetCheck(1);
    for (int i = 0; i < ids::kSeparators; ++i) dlg->m_separatorLines[i] = i % 3 == 1;
    const Snapshot written = Take();
    WriteTo(At("Voll.pgx"));

    Clutter();
    ReadFrom(At("Voll.pgx"));
    const Snapshot read = Take();
    for (int row = 0; row < ids::kRows; ++row) {
        EXPECT_EQ(read.goods[row], written.goods[row]) << row;
        EXPECT_EQ(read.prices[row], written.prices[row]) << row;
        EXPECT_EQ(read.texts[row], written.texts[row]) << row;
        EXPECT_EQ(read.texts[row].size(), written.texts[row].size()) << row;
    }
    EXPECT_TRUE(read == written) << "some field did not come back as written";
    EXPECT_EQ(read.goods[0].size(), 259u);
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_TRUE(dlg->m_bPublishPending);
}

TEST_F(DocumentFormat, ReadingAMissingFileGivesEveryDefault) {
    Clutter();
    ReadFrom(At("fehlt.pgx"));
    for (int row = 0; row < ids::kRows; ++row) {
        EXPECT_EQ(Text(ids::Goods(row)), "");
        EXPECT_EQ(Text(ids::Price(row)), "");
        EXPECT_TRUE(Enabled(ids::Goods(row))) << row;
        EXPECT_TRUE(Enabled(ids::Price(row))) << row;
        for (int column = 0; column < ids::kColumns; ++column) {
            EXPECT_EQ(Check(ids::Selection(row, column)), 0);
            EXPECT_EQ(Text(ids::Selection(row, column)), "") << "no row numbers";
        }
        EXPECT_EQ(dlg->m_rowLinkColumn[row], -1);
        EXPECT_EQ(dlg->m_rowLinkFile[row], "");
        EXPECT_EQ(dlg->m_rowInfo[row].strText, "");
        EXPECT_EQ(dlg->m_rowInfo[row].strSource1, "");
        EXPECT_EQ(dlg->m_rowInfo[row].strSource2, "");
        EXPECT_EQ(dlg->m_rowInfo[row].nAutoOpen, 1);
    }
    for (int column = 0; column < ids::kColumns; ++column) EXPECT_EQ(Text(ids::Name(column)), "");
    EXPECT_EQ(Check(ids::kNumbers), 0);
    for (int line : dlg->m_separatorLines) EXPECT_EQ(line, 0);
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_TRUE(dlg->m_bPublishPending);
    EXPECT_FALSE(Exists(At("fehlt.pgx"))) << "reading creates nothing";
}

TEST_F(DocumentFormat, WritingIntoAnExistingDocumentKeepsEverythingElseInPlace) {
    const std::string before = CrLf({"; von Hand", "[Fremd]", "Schluessel=Wert", "[liste]", "Ware 01=alt",
                                     "Extra=bleibt", "Preis01=1", "", "[INFO]", "Eigen=ja", "[Ende]", "x=y"});
    WriteFileBytes(At("Alt.pgx"), before);
    ReadFrom(At("Alt.pgx"));
    Type(ids::Goods(0), "neu");
    Type(ids::Price(0), "2");
    WriteTo(At("Alt.pgx"));

    std::vector<std::string> lines{"; von Hand", "[Fremd]", "Schluessel=Wert", "[liste]", "Ware 01=neu",
                                   "Extra=bleibt", "Preis01=2", ""};
    // New keys go to the end of their section, new sections to the end.
    std::vector<std::string> liste;
    for (int row = 1; row < ids::kRows; ++row) {
        liste.push_back(Key("Ware %02i", row) + "=");
        liste.push_back(Key("Preis%02i", row) + "=");
    }
    const std::string after = ReadFileBytes(At("Alt.pgx"));
    EXPECT_EQ(after.rfind(CrLf({"; von Hand", "[Fremd]", "Schluessel=Wert", "[liste]", "Ware 01=neu", "Extra=bleibt",
                                "Preis01=2"}),
                          0),
              0u)
        << after.substr(0, 200);
    EXPECT_NE(after.find("\r\nPreis01=2\r\nWare 02=\r\nPreis02=\r\n"), std::string::npos)
        << "new keys of a section follow its last key";
    EXPECT_NE(after.find("\r\n[INFO]\r\nEigen=ja\r\nText01=\r\nURN101=\r\n"), std::string::npos);
    EXPECT_NE(after.find("AutoRn=11111111111111111111\r\n[Ende]\r\nx=y\r\n[A]\r\nName=\r\nSumme="), std::string::npos)
        << "a foreign section keeps its place between known ones";
    EXPECT_EQ(after.find("[LISTE]"), std::string::npos) << "section names match without regard to case";
    EXPECT_EQ(after.find("Ware 01=", after.find("Ware 01=") + 1), std::string::npos) << "no key twice";
    EXPECT_NE(after.find("[SHARED]"), std::string::npos);
    EXPECT_EQ(doctest::FolderListing(Folder()), std::set<std::string>{"Alt.pgx"});
}

TEST_F(DocumentFormat, LinkColumnsAreValidatedAndDecideTheEdits) {
    WriteFileBytes(At("Spalten.pgx"), CrLf({"[SHARED]", "Column=3/x", "File 01=C:\\Andere.pgx"}));
    Clutter();
    ReadFrom(At("Spalten.pgx"));
    EXPECT_EQ(dlg->m_rowLinkColumn[0], 3) << "row 01 links column D";
    EXPECT_FALSE(Enabled(ids::Goods(0)));
    EXPECT_FALSE(Enabled(ids::Price(0)));
    for (int row = 1; row < ids::kRows; ++row) {
        EXPECT_EQ(dlg->m_rowLinkColumn[row], -1) << row;
        EXPECT_TRUE(Enabled(ids::Goods(row))) << row;
        EXPECT_TRUE(Enabled(ids::Price(row))) << row;
    }
    EXPECT_EQ(dlg->m_rowLinkFile[0], "C:\\Andere.pgx");
    EXPECT_EQ(dlg->m_rowLinkFile[1], "");

    WriteFileBytes(At("Sieben.pgx"), CrLf({"[SHARED]", "Column=" + std::string(20, '7')}));
    Clutter();
    ReadFrom(At("Sieben.pgx"));
    for (int row = 0; row < ids::kRows; ++row) {
        EXPECT_EQ(dlg->m_rowLinkColumn[row], -1) << row;
        EXPECT_TRUE(Enabled(ids::Goods(row))) << row;
    }

    // A column digit without a link path still disables the row.
    WriteFileBytes(At("OhnePfad.pgx"), CrLf({"[SHARED]", "File 02=", "Column=/6" + std::string(17, '/') + "0  "}));
    Clutter();
    ReadFrom(At("OhnePfad.pgx"));
    EXPECT_EQ(dlg->m_rowLinkColumn[1], 6);
    EXPECT_EQ(dlg->m_rowLinkColumn[19], 0) << "trailing blanks are not part of the value";
    EXPECT_EQ(dlg->m_rowLinkFile[1], "");
    EXPECT_FALSE(Enabled(ids::Goods(1)));
    EXPECT_FALSE(Enabled(ids::Price(1)));
    EXPECT_FALSE(Enabled(ids::Goods(19)));
    EXPECT_TRUE(Enabled(ids::Goods(0)));
}

TEST_F(DocumentFormat, InfoTextLineBreaksAndLength) {
    dlg->m_rowInfo[0].strText = "a\r\nb";
    // Lone breaks, and breaks pasted into one-line fields, must not end a
    // line of the file early: the rest would be lost or read as keys.
    dlg->m_rowInfo[1].strText = "eins\nzwei\nAutoRn=00000000000000000000\rdrei";
    dlg->m_rowInfo[1].strSource1 = "C:\\a.txt\r\nAutoRn=0";
    Type(ids::Name(0), "Na\r\nme");
    WriteTo(At("Info.pgx"));
    EXPECT_EQ(ReadKey(At("Info.pgx"), "INFO", "Text01"), "a|~|b");
    const std::string bytes = ReadFileBytes(At("Info.pgx"));
    EXPECT_NE(bytes.find("\r\nText02=eins|~|zwei|~|AutoRn=00000000000000000000|~|drei\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\r\nAutoRn=0\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\r\r"), std::string::npos);
    EXPECT_EQ(bytes.find("\r\nme\r\n"), std::string::npos);
    dlg->m_rowInfo[1] = RowInfo{};
    ReadFrom(At("Info.pgx"));
    EXPECT_EQ(dlg->m_rowInfo[1].strText, "eins\r\nzwei\r\nAutoRn=00000000000000000000\r\ndrei");
    EXPECT_EQ(dlg->m_rowInfo[1].nAutoOpen, 1);

    const std::string cut = std::string(2390, 'x') + "|~|" + std::string(20, 'y');
    WriteFileBytes(At("Info2.pgx"), CrLf({"[INFO]", "Text01=eins|~|zwei|~||~|drei", "Text02=" + std::string(2500, 'z'),
                                          "Text03=" + std::string(2399, 'w'), "Text04=" + cut}));
    Clutter();
    ReadFrom(At("Info2.pgx"));
    EXPECT_EQ(dlg->m_rowInfo[0].strText, "eins\r\nzwei\r\n\r\ndrei") << "a typed |~| comes back as a line break";
    EXPECT_EQ(dlg->m_rowInfo[1].strText, std::string(2399, 'z'));
    EXPECT_EQ(dlg->m_rowInfo[2].strText, std::string(2399, 'w'));
    EXPECT_EQ(dlg->m_rowInfo[3].strText, std::string(2390, 'x') + "\r\n" + std::string(6, 'y'))
        << "the cut counts encoded characters";
    EXPECT_EQ(dlg->m_rowInfo[4].strText, "");
}

TEST_F(DocumentFormat, NumbersOnShowsTheRowNumbers) {
    WriteFileBytes(At("Nummern.pgx"), CrLf({"[SETTINGS]", "NumbersOn=1"}));
    ReadFrom(At("Nummern.pgx"));
    EXPECT_EQ(Check(ids::kNumbers), 1);
    for (int row = 0; row < ids::kRows; ++row) {
        char label[8];
        std::snprintf(label, sizeof label, "%02i", row + 1);
        for (int column = 0; column < ids::kColumns; ++column) EXPECT_EQ(Text(ids::Selection(row, column)), label);
    }
    EXPECT_FALSE(dlg->m_bModified);

    WriteFileBytes(At("Aus.pgx"), CrLf({"[SETTINGS]", "NumbersOn=0"}));
    ReadFrom(At("Aus.pgx"));
    EXPECT_EQ(Check(ids::kNumbers), 0);
    EXPECT_EQ(Text(ids::Selection(7, 3)), "");
}

TEST_F(DocumentFormat, LinesFirstAndLast) {
    WriteFileBytes(At("Linien.pgx"), CrLf({"[SETTINGS]", "Lines=1000000000000000001"}));
    Clutter();
    ReadFrom(At("Linien.pgx"));
    for (int i = 0; i < ids::kSeparators; ++i) {
        EXPECT_EQ(dlg->m_separatorLines[i], i == 0 || i == 18 ? 1 : 0) << i;
    }
}

TEST_F(DocumentFormat, ShortAndOddDigitStrings) {
    Clutter();
    // Column D starts with row 01 off, the rest on.
    dlg->SelectionButtonState(0, 3, 0);
    WriteFileBytes(At("Kurz.pgx"),
                   CrLf({"[BUTTONS]", "A=11", "B=", "C=2/0", "D=//", "[SETTINGS]", "Lines=2/", "[INFO]", "AutoRn=0"}));
    ReadFrom(At("Kurz.pgx"));
    for (int row = 0; row < ids::kRows; ++row) {
        EXPECT_EQ(Check(ids::Selection(row, 0)), row < 2 ? 1 : 0) << "A " << row;
        EXPECT_EQ(Check(ids::Selection(row, 1)), 0) << "B " << row;
        EXPECT_EQ(Check(ids::Selection(row, 4)), 0) << "E takes the default " << row;
    }
    EXPECT_EQ(Check(ids::Selection(0, 2)), 1) << "a character above 1 selects";
    EXPECT_EQ(Check(ids::Selection(1, 2)), 1) << "a character below 0 leaves the button";
    EXPECT_EQ(Check(ids::Selection(2, 2)), 0);
    EXPECT_EQ(Check(ids::Selection(3, 2)), 0) << "beyond the end: 0";
    EXPECT_EQ(Check(ids::Selection(0, 3)), 0) << "left as it was (off)";
    EXPECT_EQ(Check(ids::Selection(1, 3)), 1) << "left as it was (on)";
    EXPECT_EQ(Check(ids::Selection(2, 3)), 0);

    EXPECT_EQ(dlg->m_separatorLines[0], 2);
    EXPECT_EQ(dlg->m_separatorLines[1], -1);
    for (int i = 2; i < ids::kSeparators; ++i) EXPECT_EQ(dlg->m_separatorLines[i], 0) << i;
    EXPECT_EQ(dlg->m_rowInfo[0].nAutoOpen, 0);
    for (int row = 1; row < ids::kRows; ++row) EXPECT_EQ(dlg->m_rowInfo[row].nAutoOpen, 1) << "beyond the end: 1";

    WriteFileBytes(At("Kurz2.pgx"), CrLf({"[INFO]", "AutoRn=5/"}));
    ReadFrom(At("Kurz2.pgx"));
    EXPECT_EQ(dlg->m_rowInfo[0].nAutoOpen, 5);
    EXPECT_EQ(dlg->m_rowInfo[1].nAutoOpen, -1);
    EXPECT_EQ(dlg->m_rowInfo[2].nAutoOpen, 1);
}

TEST_F(DocumentFormat, EditsTakeNoMoreThanADocumentKeeps) {
    // Every goods, price and name edit is limited; typing shows it where the
    // edit scrolls (a price edit also stops at its visible width).
    std::vector<int> limited;
    for (int row = 0; row < ids::kRows; ++row) limited.insert(limited.end(), {ids::Goods(row), ids::Price(row)});
    for (int column = 0; column < ids::kColumns; ++column) limited.push_back(ids::Name(column));
    for (int id : limited) EXPECT_EQ(::SendMessageA(Item(id), EM_GETLIMITTEXT, 0, 0), 259) << id;

    const int edits[] = {ids::Goods(0), ids::Goods(19), ids::Name(6)};
    for (int id : edits) {
        for (int i = 0; i < 300; ++i) ::SendMessageA(Item(id), WM_CHAR, 'a' + i % 26, 0);
        EXPECT_EQ(Text(id).size(), 259u) << id;
    }
    WriteTo(At("Getippt.pgx"));
    Clutter();
    ReadFrom(At("Getippt.pgx"));
    for (int id : edits) EXPECT_EQ(Text(id).size(), 259u) << id;
    EXPECT_EQ(Text(ids::Goods(0)).substr(250), "qrstuvwxy");
}

TEST_F(DocumentFormat, ALinkedRowComesBackWithItsCaptionAndDisabled) {
    Type(ids::Goods(3), "A   Andere   Wocheneinkauf");
    Type(ids::Price(3), "12.50");
    dlg->m_rowLinkFile[3] = At("Andere.pgx");
    dlg->m_rowLinkColumn[3] = 0;
    WriteTo(At("Verknuepft.pgx"));
    Clutter();
    ReadFrom(At("Verknuepft.pgx"));
    EXPECT_EQ(Text(ids::Goods(3)), "A   Andere   Wocheneinkauf");
    EXPECT_EQ(Text(ids::Price(3)), "12.50");
    EXPECT_FALSE(Enabled(ids::Goods(3)));
    EXPECT_FALSE(Enabled(ids::Price(3)));
    EXPECT_EQ(dlg->m_rowLinkFile[3], At("Andere.pgx"));
    EXPECT_EQ(dlg->m_rowLinkColumn[3], 0);
    EXPECT_TRUE(Enabled(ids::Goods(2)));
}
