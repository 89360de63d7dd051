// The path operation: quotes, extension rules, folder and title, companion.
#include "support/Harness.h"

#include "document/DocumentPath.h"

TEST(DocumentPathSplit, ExtensionFolderTitleAndCompanion) {
    auto parts = SplitDocumentPath("C:\\Daten\\Haushalt.pgx");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->strFullPath, "C:\\Daten\\Haushalt.pgx");
    EXPECT_EQ(parts->strCompanionPath, "C:\\Daten\\Haushalt.pgw");
    EXPECT_EQ(parts->strTitle, "Haushalt");
    EXPECT_EQ(parts->strExt, ".pgx");

    parts = SplitDocumentPath("C:\\Daten\\Haushalt.pgw");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->strExt, ".pgx") << "a companion stands for its document";
    EXPECT_EQ(parts->strFullPath, "C:\\Daten\\Haushalt.pgx");

    parts = SplitDocumentPath("C:\\Daten\\Haushalt.PGW");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->strExt, ".PGW") << "compared with case";
    EXPECT_FALSE(IsDocumentExtensionText(parts->strExt));

    parts = SplitDocumentPath("Liste.pgx");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->strFullPath, ".\\Liste.pgx");
    EXPECT_EQ(parts->strCompanionPath, ".\\Liste.pgw");
    EXPECT_EQ(parts->strTitle, "Liste");

    EXPECT_TRUE(SplitDocumentPath("a.abcd")) << "four characters after the dot";
    EXPECT_FALSE(SplitDocumentPath("a.abcde")) << "five are refused";
    EXPECT_FALSE(SplitDocumentPath("C:\\ohne Punkt"));
    EXPECT_FALSE(SplitDocumentPath("C:\\x.backup"));
    EXPECT_TRUE(IsDocumentExtensionText(".PgX"));
    EXPECT_FALSE(IsDocumentExtensionText(".pgxx"));
    EXPECT_EQ(RemoveQuotes("\"C:\\a b\\c.pgx\""), "C:\\a b\\c.pgx");
}

class DocumentSetPath : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        Open();
    }
};

TEST_F(DocumentSetPath, AnalyseLeavesTheCurrentDocumentAlone) {
    EXPECT_TRUE(dlg->SetDocumentPath("\"D:\\Listen\\Haushalt.pgx\"", FALSE));
    EXPECT_EQ(dlg->m_lastPathParts.strFullPath, "D:\\Listen\\Haushalt.pgx");
    EXPECT_EQ(dlg->m_strDocPath, ".\\Unbenannt.pgx");
    EXPECT_EQ(WindowTitle(), "Tarvelo   -   Unbenannt");

    const DocPathParts before = dlg->m_lastPathParts;
    EXPECT_FALSE(dlg->SetDocumentPath("D:\\Listen\\Haushalt.backup", FALSE));
    EXPECT_EQ(dlg->m_lastPathParts.strFullPath, before.strFullPath) << "a refusal changes nothing";
}

TEST_F(DocumentSetPath, ApplyMakesThePathCurrentAndDeletesTheOldCompanion) {
    WriteFileBytes(".\\Unbenannt.pgw", "[A]\r\n");
    EXPECT_TRUE(dlg->SetDocumentPath("Liste.pgx", TRUE));
    EXPECT_FALSE(Exists(".\\Unbenannt.pgw"));
    EXPECT_EQ(dlg->m_strDocPath, ".\\Liste.pgx");
    EXPECT_EQ(dlg->m_strCompanionPath, ".\\Liste.pgw");
    EXPECT_EQ(dlg->m_strDocTitle, "Liste");
    EXPECT_EQ(WindowTitle(), "Tarvelo   -   Liste");
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(DocumentSetPath, ShortNamesBecomeLongAndTooLongFormsAreRefused) {
    // Folders nested, then a file whose long form needs 260+ characters,
    // created through the folders' short names.
    std::string deep = TestDir();
    while (deep.size() < 190) {
        deep += "\\Verzeichnis_mit_langem_Namen";
        ::CreateDirectoryA(deep.c_str(), nullptr);
    }
    char shortForm[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA(deep.c_str(), shortForm, MAX_PATH), 0u);
    const std::string longName = std::string(270 - deep.size(), 'd') + ".pgx";
    const std::string file = std::string(shortForm) + "\\" + longName;
    WriteFileBytes(file, "");
    ASSERT_TRUE(Exists(file));
    seams->AnswerBox(IDOK);
    EXPECT_FALSE(dlg->SetDocumentPath(file, TRUE));
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].text, "Der Zielpfad ist zu lang !!!");
    EXPECT_EQ(seams->boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(dlg->m_strDocPath, ".\\Unbenannt.pgx");
    RemoveFile(file);

    const std::string shallow = TestDir() + "\\Langer Ordnername";
    ::CreateDirectoryA(shallow.c_str(), nullptr);
    WriteFileBytes(shallow + "\\Dokument.pgx", "");
    char shortShallow[MAX_PATH] = {};
    ::GetShortPathNameA((shallow + "\\Dokument.pgx").c_str(), shortShallow, MAX_PATH);
    EXPECT_TRUE(dlg->SetDocumentPath(shortShallow, FALSE));
    EXPECT_EQ(dlg->m_lastPathParts.strFullPath, shallow + "\\Dokument.pgx");
    RemoveFile(shallow + "\\Dokument.pgx");
}
