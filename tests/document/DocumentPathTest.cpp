// The path analysis: extension rules, folder and title, companion path,
// quotes, short names made long and long forms that do not fit.
#include "document/DocumentPath.h"
#include "document/DocumentTestSupport.h"

TEST(DocumentPathSplit, ExtensionFolderTitleAndCompanion) {
    // path -> full path | companion | title | extension, or "" when refused
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Daten\\Haushalt.pgx", "C:\\Daten\\Haushalt.pgx|C:\\Daten\\Haushalt.pgw|Haushalt|.pgx"},
        {"C:\\Daten\\Haushalt.pgw", "C:\\Daten\\Haushalt.pgx|C:\\Daten\\Haushalt.pgw|Haushalt|.pgx"},
        {"C:\\Daten\\Haushalt.PGW", "C:\\Daten\\Haushalt.PGW|C:\\Daten\\Haushalt.pgw|Haushalt|.PGW"},
        {"Liste.pgx", ".\\Liste.pgx|.\\Liste.pgw|Liste|.pgx"},
        {"C:\\a.b\\x.abcd", "C:\\a.b\\x.abcd|C:\\a.b\\x.pgw|x|.abcd"},
        {"C:\\x.abcde", ""},
        {"C:\\ohne Punkt", ""},
        {"C:\\Listen.alt\\Notizen", ""},
    };
    for (const auto& [path, expected] : cases) {
        const std::optional<DocPathParts> p = SplitDocumentPath(path);
        EXPECT_EQ(p ? p->strFullPath + "|" + p->strCompanionPath + "|" + p->strTitle + "|" + p->strExt : "", expected);
    }
    EXPECT_TRUE(IsDocumentExtensionText(".PgX"));
    EXPECT_FALSE(IsDocumentExtensionText(".PGW"));
    EXPECT_EQ(RemoveQuotes("\"C:\\a b\\c.pgx\""), "C:\\a b\\c.pgx");
}

class DocumentSetPath : public doctest::DocumentTest {};

TEST_F(DocumentSetPath, ShortNamesBecomeLongAndLongFormsThatDoNotFitAreRefused) {
    // Folders whose short names are far shorter than their long ones.
    std::string deep = Folder();
    while (deep.size() < 190) {
        deep += "\\Verzeichnis mit langem Namen";
        ::CreateDirectoryA(deep.c_str(), nullptr);
    }
    char shortForm[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA(deep.c_str(), shortForm, MAX_PATH), 0u);
    const std::string fits = std::string(shortForm) + "\\Dokument.pgx";
    const std::string tooLong = std::string(shortForm) + "\\" + std::string(270 - deep.size(), 'd') + ".pgx";
    WriteFileBytes(fits, "");
    WriteFileBytes(tooLong, "");
    ASSERT_TRUE(Exists(tooLong));

    EXPECT_TRUE(dlg->SetDocumentPath("\"" + fits + "\"", FALSE));
    EXPECT_EQ(dlg->m_lastPathParts.strFullPath, deep + "\\Dokument.pgx");
    EXPECT_EQ(dlg->m_strDocPath, ".\\Unbenannt.pgx") << "analysed, not applied";
    seams->AnswerBox(IDOK);
    EXPECT_FALSE(dlg->SetDocumentPath(tooLong, TRUE));
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].text, "Der Zielpfad ist zu lang !!!");
    EXPECT_EQ(dlg->m_lastPathParts.strFullPath, deep + "\\Dokument.pgx") << "a refusal changes nothing";
    EXPECT_EQ(WindowTitle(), "Tarvelo   -   Unbenannt");
}
