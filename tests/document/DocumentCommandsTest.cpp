// The document commands: Load, Save As, Reset and dropped files, each with
// the save question, the file dialogs and what becomes of path, window
// contents, modified flag and companion file.
#include "document/DocumentTestSupport.h"

using doctest::CrLf;

namespace {

constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_LONGNAMES;
constexpr const char* kFilter = "Quentaro-Datei|*.pgx|Alle Dateien|*.*||";

std::string SaveQuestion(const std::string& path) { return "\xC4nderungen in   " + path + "   speichern ?"; }

}  // namespace

class DocumentCommands : public doctest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        FirstPaint();
        dlg->m_bModified = FALSE;
    }
    // A document whose first goods text is goods.
    std::string MakeDocument(const std::string& name, const std::string& goods) const {
        const std::string path = At(name);
        WriteFileBytes(path, CrLf({"[LISTE]", "Ware 01=" + goods, "Preis01=1.5", "[A]", "Name=Spalte"}));
        return path;
    }
    // Makes a document current and unmodified, as a load leaves it.
    void OpenAt(const std::string& path) {
        ASSERT_TRUE(dlg->SetDocumentPath(path, TRUE));
        dlg->ReadDocument();
        dlg->m_bModified = FALSE;
    }
    void Modify(const std::string& goods = "ge\xE4ndert") const { Type(ids::Goods(0), goods); }
    // Path, title, companion and window title all name the document.
    void ExpectCurrent(const std::string& path, const std::string& title, const std::string& companion) const {
        EXPECT_EQ(dlg->m_strDocPath, path);
        EXPECT_EQ(dlg->m_strDocTitle, title);
        EXPECT_EQ(dlg->m_strCompanionPath, companion);
        EXPECT_EQ(WindowTitle(), "Tarvelo   -   " + title);
    }
    void ExpectQuestions(const std::vector<std::string>& texts) const {
        ASSERT_EQ(seams->boxes.size(), texts.size());
        for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(seams->boxes[i].text, texts[i]) << i;
    }
};

// --- Load -------------------------------------------------------------------

TEST_F(DocumentCommands, LoadReadsTheChosenDocument) {
    const std::string path = MakeDocument("Haushalt.pgx", "Brot");
    WriteFileBytes(".\\Unbenannt.pgw", "[A]\r\n");
    // Another instance has the chosen document open and publishes it.
    WriteFileBytes(At("Haushalt.pgw"), "[A]\r\nName=fremd\r\n");
    dlg->m_bPublishPending = FALSE;
    seams->AnswerFile(path);
    Click(ids::kLoad);

    EXPECT_TRUE(seams->boxes.empty()) << "nothing to ask without changes";
    ASSERT_EQ(seams->fileRequests.size(), 1u);
    const dialogkit::FileDialogRequest& request = seams->fileRequests[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.defaultExt, "");
    EXPECT_EQ(request.initialName, ".\\Unbenannt.pgx");
    EXPECT_EQ(request.flags, kOpenFlags);
    EXPECT_EQ(request.filter, kFilter);
    EXPECT_EQ(request.owner, Wnd());

    ExpectCurrent(path, "Haushalt", At("Haushalt.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "Brot");
    EXPECT_EQ(Text(ids::Name(0)), "Spalte");
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_TRUE(dlg->m_bPublishPending);
    EXPECT_FALSE(Exists(".\\Unbenannt.pgw")) << "the pause deleted the old companion";
    EXPECT_TRUE(Exists(At("Haushalt.pgw"))) << "the new document's companion is not this instance's yet";
    EXPECT_TRUE(TimersRunning());

    // The next load starts from the current document's name.
    seams->CancelFile();
    Click(ids::kLoad);
    ASSERT_EQ(seams->fileRequests.size(), 2u);
    EXPECT_EQ(seams->fileRequests[1].initialName, path);
}

TEST_F(DocumentCommands, LoadOnAModifiedDocumentAsksFirst) {
    const std::string current = MakeDocument("Alt.pgx", "alt");
    const std::string other = MakeDocument("Neu.pgx", "neu");
    OpenAt(current);
    const std::string bytes = ReadFileBytes(current);

    // Cancel: no file dialog, nothing changes.
    Modify();
    seams->AnswerBox(IDCANCEL);
    Click(ids::kLoad);
    ExpectQuestions({SaveQuestion(current)});
    EXPECT_EQ(seams->boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_TRUE(seams->fileRequests.empty());
    ExpectCurrent(current, "Alt", At("Alt.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "ge\xE4ndert");
    EXPECT_TRUE(dlg->m_bModified);
    EXPECT_TRUE(TimersRunning());

    // No: the dialog opens, and the confirmed choice discards the changes.
    seams->AnswerBox(IDNO);
    seams->AnswerFile(other);
    Click(ids::kLoad);
    EXPECT_EQ(seams->fileRequests.size(), 1u);
    ExpectCurrent(other, "Neu", At("Neu.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "neu");
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_EQ(ReadFileBytes(current), bytes) << "No writes nothing";

    // Yes: the current document is saved under its own path first.
    Modify("zuletzt");
    seams->AnswerBox(IDYES);
    seams->AnswerFile(current);
    Click(ids::kLoad);
    ExpectQuestions({SaveQuestion(current), SaveQuestion(current), SaveQuestion(other)});
    EXPECT_NE(ReadFileBytes(other).find("Ware 01=zuletzt\r\n"), std::string::npos);
    ExpectCurrent(current, "Alt", At("Alt.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "alt");
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(DocumentCommands, LoadWithTheFileDialogCancelledChangesNothing) {
    const std::string current = MakeDocument("Alt.pgx", "alt");
    OpenAt(current);
    seams->CancelFile();
    Click(ids::kLoad);
    ExpectCurrent(current, "Alt", At("Alt.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "alt");
    EXPECT_FALSE(dlg->m_bModified);

    // A Yes to the save question has written the document all the same.
    Modify("gesichert");
    seams->AnswerBox(IDYES);
    seams->CancelFile();
    Click(ids::kLoad);
    EXPECT_NE(ReadFileBytes(current).find("Ware 01=gesichert\r\n"), std::string::npos);
    ExpectCurrent(current, "Alt", At("Alt.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "gesichert");
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_TRUE(TimersRunning());
}

TEST_F(DocumentCommands, LoadOfAnyFileThroughAllFiles) {
    WriteFileBytes(At("notes.txt"), CrLf({"Einkauf", "[LISTE]", "Ware 01=Notiz", "[SETTINGS]", "NumbersOn=1"}));
    seams->AnswerFile(At("notes.txt"));
    Click(ids::kLoad);
    ExpectCurrent(At("notes.txt"), "notes", At("notes.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "Notiz");
    EXPECT_EQ(Check(ids::kNumbers), 1);
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(DocumentCommands, LoadOfACompanionOpensItsDocument) {
    MakeDocument("Liste.pgx", "Liste");
    WriteFileBytes(At("Liste.pgw"), CrLf({"[A]", "Name=Begleiter", "Summe=1.00"}));
    seams->AnswerFile(At("Liste.pgw"));
    Click(ids::kLoad);
    ExpectCurrent(At("Liste.pgx"), "Liste", At("Liste.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "Liste");
    EXPECT_EQ(Text(ids::Name(0)), "Spalte") << "the document is read, not the companion";

    // Without the document beside it: an empty document under that name.
    ::CreateDirectoryA(At("leer").c_str(), nullptr);
    WriteFileBytes(At("leer\\Liste.pgw"), CrLf({"[A]", "Name=Begleiter"}));
    seams->AnswerFile(At("leer\\Liste.pgw"));
    Click(ids::kLoad);
    ExpectCurrent(At("leer\\Liste.pgx"), "Liste", At("leer\\Liste.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "");
    EXPECT_EQ(Text(ids::Name(0)), "");
    EXPECT_FALSE(Exists(At("leer\\Liste.pgx")));
}

TEST_F(DocumentCommands, LoadOfARefusedPathReadsTheCurrentDocumentAgain) {
    const std::string current = MakeDocument("Alt.pgx", "gespeichert");
    OpenAt(current);
    Modify();
    seams->AnswerBox(IDNO);
    seams->AnswerFile(At("Sicherung.backup"));
    Click(ids::kLoad);
    ExpectCurrent(current, "Alt", At("Alt.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "gespeichert");
    EXPECT_FALSE(dlg->m_bModified);
}

// --- Save As ------------------------------------------------------------------

TEST_F(DocumentCommands, SaveAsWritesUnderTheChosenNameWithoutAsking) {
    Modify("Brot");
    WriteFileBytes(".\\Unbenannt.pgw", "[A]\r\n");
    dlg->m_bPublishPending = FALSE;
    seams->AnswerFile(At("Neu.pgx"));
    Click(ids::kSaveAs);

    EXPECT_TRUE(seams->boxes.empty()) << "Save As asks nothing";
    ASSERT_EQ(seams->fileRequests.size(), 1u);
    const dialogkit::FileDialogRequest& request = seams->fileRequests[0];
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.defaultExt, ".pgx");
    EXPECT_EQ(request.initialName, ".\\Unbenannt.pgx");
    EXPECT_EQ(request.flags, kSaveFlags);
    EXPECT_EQ(request.filter, kFilter);
    EXPECT_EQ(request.owner, Wnd());

    ExpectCurrent(At("Neu.pgx"), "Neu", At("Neu.pgw"));
    EXPECT_NE(ReadFileBytes(At("Neu.pgx")).find("Ware 01=Brot\r\n"), std::string::npos);
    EXPECT_EQ(Text(ids::Goods(0)), "Brot") << "the window stays as it was";
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_FALSE(dlg->m_bPublishPending) << "published at the next change, not at once";
    EXPECT_FALSE(Exists(".\\Unbenannt.pgw"));
    EXPECT_FALSE(Exists(At("Neu.pgw")));
    EXPECT_FALSE(Exists(".\\Unbenannt.pgx"));
    EXPECT_TRUE(TimersRunning());
}

TEST_F(DocumentCommands, SaveAsToARefusedNameWritesNothing) {
    Modify();
    seams->AnswerFile(At("Liste.backup"));
    Click(ids::kSaveAs);
    ExpectCurrent(".\\Unbenannt.pgx", "Unbenannt", ".\\Unbenannt.pgw");
    EXPECT_TRUE(dlg->m_bModified);
    EXPECT_TRUE(doctest::FolderListing(Folder()).empty());
    EXPECT_FALSE(Exists(".\\Unbenannt.pgx"));

    seams->CancelFile();
    Click(ids::kSaveAs);
    EXPECT_TRUE(dlg->m_bModified);
    EXPECT_TRUE(doctest::FolderListing(Folder()).empty());
    EXPECT_TRUE(TimersRunning());
}

// --- Reset --------------------------------------------------------------------

TEST_F(DocumentCommands, ResetWithoutChangesAsksToClear) {
    const std::string current = MakeDocument("Alt.pgx", "alt");
    OpenAt(current);
    dlg->m_rowInfo[4].nAutoOpen = 0;

    seams->AnswerBox(IDNO);
    Click(ids::kReset);
    ExpectQuestions({"Alle Eintr\xE4ge l\xF6schen ?"});
    EXPECT_EQ(seams->boxes[0].type, static_cast<UINT>(MB_YESNO));
    ExpectCurrent(current, "Alt", At("Alt.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "alt");
    EXPECT_TRUE(TimersRunning());

    dlg->m_bPublishPending = FALSE;
    WriteFileBytes(".\\Unbenannt.pgw", "[A]\r\nName=fremd\r\n");  // another untitled instance here
    seams->AnswerBox(IDYES);
    Click(ids::kReset);
    EXPECT_EQ(seams->boxes.size(), 2u);
    ExpectCurrent(".\\Unbenannt.pgx", "Unbenannt", ".\\Unbenannt.pgw");
    EXPECT_EQ(Text(ids::Goods(0)), "");
    EXPECT_EQ(Text(ids::Name(0)), "");
    EXPECT_EQ(dlg->m_rowInfo[4].nAutoOpen, 1);
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_TRUE(dlg->m_bPublishPending);
    EXPECT_FALSE(Exists(".\\Unbenannt.pgx")) << "reset writes nothing";
    EXPECT_FALSE(Exists(".\\f4d5h7j9k2.pgx"));
    EXPECT_TRUE(Exists(".\\Unbenannt.pgw")) << "only the companion of the document left is deleted";
    RemoveFile(".\\Unbenannt.pgw");
    EXPECT_NE(ReadFileBytes(current).find("Ware 01=alt"), std::string::npos);
    EXPECT_TRUE(TimersRunning());
}

TEST_F(DocumentCommands, ResetWithChangesAsksOnlyTheSaveQuestion) {
    const std::string current = MakeDocument("Alt.pgx", "alt");
    OpenAt(current);
    const std::string bytes = ReadFileBytes(current);
    Modify();

    seams->AnswerBox(IDCANCEL);
    Click(ids::kReset);
    ExpectQuestions({SaveQuestion(current)});
    ExpectCurrent(current, "Alt", At("Alt.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "ge\xE4ndert");
    EXPECT_TRUE(dlg->m_bModified);

    seams->AnswerBox(IDNO);
    Click(ids::kReset);
    EXPECT_EQ(seams->boxes.size(), 2u) << "no second question";
    ExpectCurrent(".\\Unbenannt.pgx", "Unbenannt", ".\\Unbenannt.pgw");
    EXPECT_EQ(Text(ids::Goods(0)), "");
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_EQ(ReadFileBytes(current), bytes);

    OpenAt(current);
    Modify("behalten");
    seams->AnswerBox(IDYES);
    Click(ids::kReset);
    EXPECT_EQ(seams->boxes.size(), 3u);
    EXPECT_NE(ReadFileBytes(current).find("Ware 01=behalten\r\n"), std::string::npos);
    ExpectCurrent(".\\Unbenannt.pgx", "Unbenannt", ".\\Unbenannt.pgw");
    EXPECT_EQ(Text(ids::Goods(0)), "");
    EXPECT_FALSE(dlg->m_bModified);
}

// --- Dropped files --------------------------------------------------------------

TEST_F(DocumentCommands, DropOpensTheFirstDocumentOnly) {
    const std::string first = MakeDocument("Erste.pgx", "erste");
    const std::string second = MakeDocument("Zweite.pgx", "zweite");
    dlg->m_bPublishPending = FALSE;
    Drop({first, second});
    EXPECT_TRUE(seams->boxes.empty());
    ExpectCurrent(first, "Erste", At("Erste.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "erste");
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_TRUE(dlg->m_bPublishPending);
    EXPECT_TRUE(TimersRunning());

    const std::string capitals = MakeDocument("GROSS.PGX", "gross");
    Drop({capitals});
    ExpectCurrent(capitals, "GROSS", At("GROSS.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "gross");

    MakeDocument("Liste.pgx", "liste");
    WriteFileBytes(At("Liste.pgw"), "[A]\r\nName=x\r\n");
    Drop({At("Liste.pgw")});
    ExpectCurrent(At("Liste.pgx"), "Liste", At("Liste.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "liste");
}

TEST_F(DocumentCommands, DropOfAnythingElseIsIgnoredWithoutAQuestion) {
    const std::string current = MakeDocument("Alt.pgx", "alt");
    OpenAt(current);
    Modify();
    WriteFileBytes(At("Begleiter.PGW"), CrLf({"[LISTE]", "Ware 01=falsch"}));
    WriteFileBytes(At("text.txt"), CrLf({"[LISTE]", "Ware 01=falsch"}));
    ::CreateDirectoryA(At("Ordner").c_str(), nullptr);
    ::CreateDirectoryA(At("Archiv.2024").c_str(), nullptr);
    ::CreateDirectoryA(At(".pgx").c_str(), nullptr);
    const std::vector<std::string> ignored = {At("Begleiter.PGW"), At("text.txt"), At("Ordner"), At("Archiv.2024"),
                                              At("Ohne Punkt"), At("x.backup"), ".pgx", "a.pg"};
    for (const std::string& path : ignored) {
        Drop({path, current});
        ExpectCurrent(current, "Alt", At("Alt.pgw"));
        EXPECT_EQ(Text(ids::Goods(0)), "ge\xE4ndert") << path;
        EXPECT_TRUE(dlg->m_bModified) << path;
    }
    EXPECT_TRUE(seams->boxes.empty()) << "nothing is asked";
    EXPECT_TRUE(TimersRunning());
}

TEST_F(DocumentCommands, DropOnAModifiedDocumentAsksFirst) {
    const std::string current = MakeDocument("Alt.pgx", "alt");
    const std::string dropped = MakeDocument("Neu.pgx", "neu");
    OpenAt(current);
    const std::string bytes = ReadFileBytes(current);
    Modify();

    seams->AnswerBox(IDCANCEL);
    Drop({dropped});
    ExpectQuestions({SaveQuestion(current)});
    ExpectCurrent(current, "Alt", At("Alt.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "ge\xE4ndert");
    EXPECT_TRUE(dlg->m_bModified);
    EXPECT_EQ(ReadFileBytes(current), bytes);

    seams->AnswerBox(IDYES);
    Drop({dropped});
    EXPECT_EQ(seams->boxes.size(), 2u);
    EXPECT_NE(ReadFileBytes(current).find("Ware 01=ge\xE4ndert\r\n"), std::string::npos);
    ExpectCurrent(dropped, "Neu", At("Neu.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "neu");
    EXPECT_FALSE(dlg->m_bModified);

    Modify("weg");
    seams->AnswerBox(IDNO);
    Drop({current});
    ExpectCurrent(current, "Alt", At("Alt.pgw"));
    EXPECT_EQ(Text(ids::Goods(0)), "ge\xE4ndert");
    EXPECT_EQ(ReadFileBytes(dropped).find("weg"), std::string::npos);
}

// --- Ending -----------------------------------------------------------------------

TEST_F(DocumentCommands, ExitSavesANamedDocumentUnderItsOwnPath) {
    const std::string current = MakeDocument("Alt.pgx", "alt");
    OpenAt(current);
    Modify("zum Schluss");
    seams->AnswerBox(IDYES);
    Click(IDOK);
    ExpectQuestions({SaveQuestion(current)});
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_NE(ReadFileBytes(current).find("Ware 01=zum Schluss\r\n"), std::string::npos);
    EXPECT_EQ(doctest::FolderListing(Folder()), std::set<std::string>{"Alt.pgx"});
}

TEST_F(DocumentCommands, YesOnTheUntitledListNeverReplacesAnEarlierUnbenanntWithoutAsking) {
    const std::string earlier = CrLf({"[LISTE]", "Ware 01=von gestern"});
    WriteFileBytes(".\\Unbenannt.pgx", earlier);
    // Cancel in the Save As dialog is Cancel of the question: nothing ends.
    Modify("heute");
    seams->AnswerBox(IDYES);
    seams->CancelFile();
    Click(IDOK);
    EXPECT_FALSE(dlg->HasEnded());
    EXPECT_TRUE(dlg->m_bModified);
    EXPECT_EQ(ReadFileBytes(".\\Unbenannt.pgx"), earlier);
    ASSERT_EQ(seams->fileRequests.size(), 1u);
    EXPECT_FALSE(seams->fileRequests[0].open);
    EXPECT_EQ(seams->fileRequests[0].initialName, "Unbenannt.pgx");
    EXPECT_EQ(seams->fileRequests[0].flags, kSaveFlags);

    // A name chosen there is written, and the command goes on.
    seams->AnswerBox(IDYES);
    seams->AnswerFile(At("Heute.pgx"));
    Click(IDOK);
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_EQ(ReadFileBytes(".\\Unbenannt.pgx"), earlier);
    EXPECT_NE(ReadFileBytes(At("Heute.pgx")).find("Ware 01=heute\r\n"), std::string::npos);
}

TEST_F(DocumentCommands, AnUnbenanntThisRunWroteIsWrittenAgainDirectly) {
    Modify("erstens");
    seams->AnswerBox(IDYES);
    seams->AnswerBox(IDYES);
    Command(ids::kReset);
    EXPECT_NE(ReadFileBytes(".\\Unbenannt.pgx").find("Ware 01=erstens\r\n"), std::string::npos);
    Modify("zweitens");
    Click(IDOK);
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_NE(ReadFileBytes(".\\Unbenannt.pgx").find("Ware 01=zweitens\r\n"), std::string::npos);
    EXPECT_TRUE(seams->fileRequests.empty()) << "no file dialog";
}
