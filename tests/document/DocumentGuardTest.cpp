// What guards a document that other windows and programs use too: a save
// never silently replaces a file changed since this window read or wrote
// it, and a document that cannot be read is said so instead of opening as
// an empty list.
#include "document/DocumentTestSupport.h"

using documents::CrLf;
using documents::SaveQuestion;

namespace {

std::string ChangedQuestion(const std::string& path) {
    return "Die Datei   " + path + "   wurde inzwischen ge\xE4ndert. \xDC" "berschreiben ?";
}

}  // namespace

class DocumentGuard : public documents::DocumentTest {
protected:
    // The last message box: its text and its buttons.
    ShownBox Said() const { return seams->boxes.empty() ? ShownBox{"(nothing)", 0, nullptr} : seams->boxes.back(); }
};

TEST_F(DocumentGuard, TheSaveAsksBeforeItReplacesAFileChangedSince) {
    const std::string list = At("Liste.pgx");
    // What happened to the file since this window read it, the answer to the
    // question (0: none asked), and whether the window's list was saved.
    const struct { const char* since; std::function<void()> change; int answer; bool saved; } cases[] = {
        {"nothing", [] {}, 0, true},
        {"another window saved it", [&] {
             CPriceListDlg other;
             other.CreateModeless();
             other.SetDocumentPath(list, TRUE);
             other.SetItemText(ids::Goods(1), "anderswo");
             other.WriteDocument();
         }, IDNO, false},
        {"an editor changed it", [&] { WriteFileBytes(list, CrLf({"[LISTE]", "Ware 01=vom Editor"})); }, IDYES, true},
        {"it was deleted", [&] { RemoveFile(list); }, 0, true}};
    for (const auto& c : cases) {
        WriteFileBytes(list, CrLf({"[LISTE]", "Ware 01=gelesen"}));
        ASSERT_TRUE(dlg->OpenDocumentFile(list));
        FirstPaint();
        Type(ids::Goods(0), "meins");
        c.change();
        const std::string before = ReadFileBytes(list);
        seams->AnswerBox(IDYES);
        if (c.answer) seams->AnswerBox(c.answer);
        Click(IDOK);
        EXPECT_EQ(Said().text, c.answer ? ChangedQuestion(list) : SaveQuestion(list)) << c.since;
        EXPECT_EQ(Said().type, static_cast<UINT>(c.answer ? MB_YESNO : MB_YESNOCANCEL)) << c.since;
        EXPECT_EQ(ReadFileBytes(list).find("Ware 01=meins") != std::string::npos, c.saved) << c.since;
        if (!c.saved) {
            EXPECT_EQ(ReadFileBytes(list), before) << c.since << ": nothing written";
        }
        EXPECT_EQ(dlg->HasEnded(), c.saved) << c.since << ": No is Cancel of the question, the window stays";
        EXPECT_EQ(dlg->m_bModified != FALSE, !c.saved) << c.since;
        Reopen();
    }
}

TEST_F(DocumentGuard, ADocumentThatCannotBeReadIsSaidSoAndTheListStays) {
    const std::string held = At("Gesperrt.pgx"), own = At("Eigen.pgx");
    WriteFileBytes(held, CrLf({"[LISTE]", "Ware 01=unerreichbar"}));
    WriteFileBytes(own, CrLf({"[LISTE]", "Ware 01=eigen"}));
    // Another program holds it open and shares nothing.
    const HANDLE holder = ::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const std::string message = "Die Datei   " + held + "   konnte nicht gelesen werden !";
    const struct { const char* way; std::function<void()> open; } ways[] = {
        {"Load", [&] { seams->AnswerFile(held); Click(ids::kLoad); }},
        {"a drop", [&] { Drop({held}); }}};
    for (const auto& w : ways) {
        ASSERT_TRUE(dlg->OpenDocumentFile(own));
        FirstPaint();
        Type(ids::Price(0), "2.50");
        dlg->m_bModified = FALSE;
        seams->AnswerBox(IDOK);
        w.open();
        EXPECT_EQ(Said().text, message) << w.way;
        EXPECT_EQ(Said().type, static_cast<UINT>(MB_OK)) << w.way;
        EXPECT_EQ(WindowTitle(), "Tarvelo   -   Eigen") << w.way;
        EXPECT_EQ(Text(ids::Goods(0)) + " " + Text(ids::Price(0)), "eigen 2.50") << w.way;
        EXPECT_FALSE(dlg->m_bModified) << w.way;
        EXPECT_EQ(dlg->m_strCompanionPath, At("Eigen.pgw")) << w.way;
    }
    // From the command line: the message, then the untitled list.
    dlg.reset();
    seams->AnswerBox(IDOK);
    Open(held);
    EXPECT_EQ(Said().text, message);
    EXPECT_EQ(WindowTitle(), "Tarvelo   -   Unbenannt");
    EXPECT_EQ(Text(ids::Goods(0)), "");
    ::CloseHandle(holder);
}
