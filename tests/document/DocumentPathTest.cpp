// The path analysis makes a short name long and drops the quotes; its
// extension rules meet every way of naming a path in the command tests.
#include "document/DocumentTestSupport.h"

class DocumentSetPath : public documents::DocumentTest {};

TEST_F(DocumentSetPath, QuotesGoAndShortNamesBecomeLong) {
    const std::string folder = At("Verzeichnis mit langem Namen");
    ::CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "\\Dokument.pgx", "");
    char shortForm[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA((folder + "\\Dokument.pgx").c_str(), shortForm, MAX_PATH), 0u);
    EXPECT_TRUE(dlg->SetDocumentPath(std::string(1, '"').append(shortForm).append(1, '"'), FALSE));
    // The parts of the long form; the current document stays (analysed, not applied).
    EXPECT_EQ(dlg->m_lastPathParts.strFullPath, folder + "\\Dokument.pgx");
    EXPECT_EQ(dlg->m_lastPathParts.strCompanionPath, folder + "\\Dokument.pgw");
    EXPECT_EQ(dlg->m_strDocPath, ".\\Unbenannt.pgx");
}
