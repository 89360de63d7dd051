// What guards a document that other windows and programs use too: a save
// never silently replaces a file changed since this window read or wrote
// it. (A document that cannot be read is said so: through Load and a drop
// in the document command tests, from the command line in the start-up test.)
#include "document/DocumentTestSupport.h"

using documents::CrLf;
using documents::SaveQuestion;

using DocumentGuard = documents::DocumentTest;

TEST_F(DocumentGuard, TheSaveAsksBeforeItReplacesAFileChangedSince) {
    const std::string list = At("Liste.pgx");
    // What happened to the file since this window read it, the answer to the
    // question (0: none asked), and whether the window's list was saved.
    const struct { const char* since; std::function<void()> change; int answer; bool saved; } cases[] = {
        {"nothing", [] {}, 0, true},
        {"another window saved it", [&] {
             CPriceListDlg other;
             ASSERT_TRUE(other.CreateModeless() && other.SetDocumentPath(list, TRUE));
             other.SetItemText(ids::Goods(0), "vom Fenster");
             ASSERT_TRUE(other.WriteDocument());
         }, IDNO, false},
        {"an editor changed it", [&] { WriteFileBytes(list, CrLf({"[LISTE]", "Ware 01=vom Editor"})); }, IDYES, true},
        // As a share or a FAT disk shows it: the same size, within the same time stamp.
        {"a same-size change kept its time", [&] {
             const auto time = std::filesystem::last_write_time(list);
             WriteFileBytes(list, CrLf({"[LISTE]", "Ware 01=gelosen"}));
             std::filesystem::last_write_time(list, time);
         }, IDNO, false},
        {"it was deleted", [&] { RemoveFile(list); }, 0, true},
        {"this window saved it before", [&] { WriteTo(list); Type(ids::Goods(1), "mehr"); }, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.since);
        WriteFileBytes(list, CrLf({"[LISTE]", "Ware 01=gelesen"}));
        ASSERT_TRUE(dlg->OpenDocumentFile(list));
        FirstPaint();
        Type(ids::Goods(0), "meins");
        c.change();
        const std::string before = ReadFileBytes(list);
        seams->AnswerBox(IDYES);
        if (c.answer) seams->AnswerBox(c.answer);
        Click(IDOK);
        std::vector<Box> asked{{SaveQuestion(list), MB_YESNOCANCEL}};
        if (c.answer) asked.push_back({"Die Datei   " + list + "   wurde inzwischen ge\xE4ndert. \xDC" "berschreiben ?", MB_YESNO});
        EXPECT_EQ(Shown(), asked);
        EXPECT_EQ(ReadFileBytes(list).find("Ware 01=meins") != std::string::npos, c.saved);
        EXPECT_TRUE(c.saved || ReadFileBytes(list) == before) << "nothing written";
        EXPECT_EQ(dlg->HasEnded(), c.saved) << "No is Cancel of the question, the window stays";
        EXPECT_EQ(dlg->m_bModified != FALSE, !c.saved);
        Reopen();
    }
}
