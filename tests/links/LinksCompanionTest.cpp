// The companion file: written on the link tick when a name or sum changed
// or a publication is pending, and deleted wherever the document stops
// being served.
#include "links/LinksFixture.h"

#include <shlobj.h>

#include <cstring>

namespace {

IniSections ExpectedCompanion(const std::vector<ColumnText>& columns) {
    IniSections out;
    for (int c = 0; c < ids::kColumns; ++c) {
        out.push_back({ids::ColumnLetter(c), {{"Name", columns[c].name}, {"Summe", columns[c].sum}}});
    }
    return out;
}

// An HDROP holding one file, as the shell hands it over.
HDROP DropOf(const std::string& path) {
    const size_t size = sizeof(DROPFILES) + path.size() + 2;
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size());
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace

class LinksCompanion : public LinksTest {
protected:
    void SetUp() override {
        LinksTest::SetUp();
        companion = dlg->m_strCompanionPath;
    }
    IniSections Published() const { return ParseIni(ReadFileBytes(companion)); }
    std::string companion;
};

TEST_F(LinksCompanion, FirstTickPublishesAllColumnsThenOnlyChanges) {
    ASSERT_EQ(companion, ".\\Unbenannt.pgw");
    Type(ids::Name(1), "Lebensmittel");
    EXPECT_FALSE(Exists(companion)) << "nothing is written before the link tick";
    TickSums();
    TickLinks();
    std::vector<ColumnText> columns(ids::kColumns, {"", "0.00"});
    columns[1].name = "Lebensmittel";
    EXPECT_EQ(Published(), ExpectedCompanion(columns));
    EXPECT_FALSE(dlg->m_bPublishPending);
    EXPECT_EQ(dlg->m_publishedNames[1], "Lebensmittel");
    EXPECT_EQ(dlg->m_publishedSums[6], "0.00");

    // Nothing changed: the file is not written again.
    RemoveFile(companion);
    TickSums();
    TickLinks();
    EXPECT_FALSE(Exists(companion));

    // A sum changes.
    Type(ids::Price(4), "2.5");
    Click(ids::Selection(4, 6));
    TickLinks();
    EXPECT_FALSE(Exists(companion)) << "sums are the sums timer's, not the link tick's";
    TickSums();
    TickLinks();
    columns[6].sum = "2.50";
    EXPECT_EQ(Published(), ExpectedCompanion(columns));

    // A name changes.
    RemoveFile(companion);
    Type(ids::Name(0), "Drogerie");
    TickLinks();
    columns[0].name = "Drogerie";
    EXPECT_EQ(Published(), ExpectedCompanion(columns));
}

TEST_F(LinksCompanion, PauseDeletesItAndTheNextChangeBringsItBack) {
    TickSums();
    TickLinks();
    ASSERT_TRUE(Exists(companion));
    dlg->SetBackgroundActive(FALSE);
    EXPECT_FALSE(Exists(companion));
    dlg->SetBackgroundActive(TRUE);
    TickSums();
    TickLinks();
    EXPECT_FALSE(Exists(companion)) << "resuming publishes nothing by itself";
    Type(ids::Price(0), "4");
    Click(ids::Selection(0, 3));
    TickSums();
    TickLinks();
    ASSERT_TRUE(Exists(companion));
    EXPECT_EQ(Published()[3].second[1].second, "4.00");
}

TEST_F(LinksCompanion, ReadingADocumentPublishesItsColumnsAndDropsTheOldCompanion) {
    const std::string haushalt = Haushalt();
    const std::string haushaltCompanion = TestDir() + "\\Haushalt.pgw";
    TickSums();
    TickLinks();
    ASSERT_TRUE(Exists(companion));

    seams->AnswerFile(haushalt);
    Command(ids::kLoad);
    EXPECT_FALSE(Exists(companion)) << "the untitled document is no longer served";
    EXPECT_EQ(dlg->m_strCompanionPath, haushaltCompanion);
    EXPECT_FALSE(Exists(haushaltCompanion));
    TickSums();
    TickLinks();
    ASSERT_TRUE(Exists(haushaltCompanion)) << "a read document is published at once";
    EXPECT_EQ(Published().size(), 0u);
    const IniSections published = ParseIni(ReadFileBytes(haushaltCompanion));
    ASSERT_EQ(published.size(), 7u);
    EXPECT_EQ(published[1].second[0].second, "Lebensmittel");
    EXPECT_EQ(published[1].second[1].second, "0.00") << "sums are this instance's, never the stored ones";

    // Reading the same names and sums again still publishes.
    RemoveFile(haushaltCompanion);
    seams->AnswerFile(haushalt);
    Command(ids::kLoad);
    TickSums();
    TickLinks();
    EXPECT_TRUE(Exists(haushaltCompanion));
}

TEST_F(LinksCompanion, DropAndDestructionDeleteIt) {
    TickSums();
    TickLinks();
    ASSERT_TRUE(Exists(companion));
    const std::string notes = Path("Notizen.txt");
    WriteFileBytes(notes, "kein Dokument\r\n");
    ::SendMessageA(Wnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(notes)), 0);
    EXPECT_FALSE(Exists(companion)) << "even a drop that opens nothing";
    EXPECT_EQ(dlg->m_strDocPath, ".\\Unbenannt.pgx");

    Type(ids::Name(2), "Garten");
    TickLinks();
    ASSERT_TRUE(Exists(companion));
    dlg->m_bModified = FALSE;
    dlg.reset();
    EXPECT_FALSE(Exists(companion));
}

TEST_F(LinksCompanion, OtherDocumentsLinkingHereSeeThePublishedValues) {
    // This instance publishes; a row of the same instance linked to its own
    // document reads the companion, not the saved file.
    const std::string self = Path("Selbst.pgx");
    Write(self, {{1, {"gespeichert", "1.00"}}});
    Path("Selbst.pgw");
    seams->AnswerFile(self);
    Command(ids::kLoad);
    Type(ids::Name(1), "ungespeichert");
    Type(ids::Price(0), "9.99");
    Click(ids::Selection(0, 1));
    TickSums();
    Link(5, self, 1);
    TickLinks();  // refreshes first, publishes after
    EXPECT_EQ(Text(ids::Goods(5)), "[B] - [Selbst]--> gespeichert");
    TickLinks();
    EXPECT_EQ(Text(ids::Goods(5)), "[B] - [Selbst]--> ungespeichert");
    EXPECT_EQ(Text(ids::Price(5)), "9.99");
}
