// The path analysis: extension rules, folder and title, companion path,
// quotes, and short names made long.
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
        {"C:\\x.abcde", ""}, {"C:\\ohne Punkt", ""}, {"C:\\Listen.alt\\Notizen", ""}};
    for (const auto& [path, expected] : cases) {
        const std::optional<DocPathParts> p = SplitDocumentPath(path);
        EXPECT_EQ(p ? p->strFullPath + "|" + p->strCompanionPath + "|" + p->strTitle + "|" + p->strExt : "", expected);
    }
    EXPECT_TRUE(IsDocumentExtensionText(".PgX") && !IsDocumentExtensionText(".PGW"));
}

class DocumentSetPath : public doctest::DocumentTest {};

TEST_F(DocumentSetPath, QuotesGoAndShortNamesBecomeLong) {
    const std::string folder = At("Verzeichnis mit langem Namen");
    ::CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "\\Dokument.pgx", "");
    char shortForm[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA((folder + "\\Dokument.pgx").c_str(), shortForm, MAX_PATH), 0u);
    EXPECT_TRUE(dlg->SetDocumentPath(std::string(1, '"').append(shortForm).append(1, '"'), FALSE));
    EXPECT_EQ(dlg->m_lastPathParts.strFullPath, folder + "\\Dokument.pgx");
    EXPECT_EQ(dlg->m_strDocPath, ".\\Unbenannt.pgx") << "analysed, not applied";
}
