// Saves that cannot be done: a read-only document, a folder that is not
// there, a file another program holds open. The user is told, the old file
// stays exactly as it was, and nothing goes on to lose the changes.
#include "document/DocumentTestSupport.h"

using doctest::CrLf;

namespace {

std::string SaveQuestion(const std::string& path) { return "\xC4nderungen in   " + path + "   speichern ?"; }
std::string SaveFailed(const std::string& path) {
    return "Die Datei   " + path + "   konnte nicht gespeichert werden !";
}

const std::string kOldBytes = CrLf({"; alt", "[LISTE]", "Ware 01=alt", "Preis01=1", "[Eigen]", "x=1"});

}  // namespace

class DocumentSaveFailure : public doctest::DocumentTest {
protected:
    enum class Kind { ReadOnly, MissingFolder, Locked };

    void SetUp() override {
        DocumentTest::SetUp();
        FirstPaint();
        dlg->m_bModified = FALSE;
    }
    void TearDown() override {
        Unlock();
        DocumentTest::TearDown();
    }
    // A document path that cannot be written, in the way kind says.
    std::string Prepare(Kind kind, const std::string& name) {
        switch (kind) {
            case Kind::ReadOnly: {
                const std::string path = At(name);
                WriteFileBytes(path, kOldBytes);
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
                return path;
            }
            case Kind::MissingFolder: return At("fehlt\\" + name);
            case Kind::Locked: {
                const std::string path = At(name);
                WriteFileBytes(path, kOldBytes);
                m_lock = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
                EXPECT_NE(m_lock, INVALID_HANDLE_VALUE);
                return path;
            }
        }
        return {};
    }
    void Unlock() {
        if (m_lock != INVALID_HANDLE_VALUE) ::CloseHandle(m_lock);
        m_lock = INVALID_HANDLE_VALUE;
    }
    // The old file as it was (or still missing), and no temporary file left.
    void ExpectUntouched(Kind kind, const std::string& path, const std::set<std::string>& listing) {
        Unlock();
        if (kind == Kind::MissingFolder) {
            EXPECT_FALSE(Exists(path));
            EXPECT_FALSE(Exists(At("fehlt")));
        } else {
            EXPECT_EQ(ReadFileBytes(path), kOldBytes);
        }
        EXPECT_EQ(doctest::FolderListing(Folder()), listing);
    }
    void Modify() const { Type(ids::Goods(0), "neu"); }

    HANDLE m_lock = INVALID_HANDLE_VALUE;
};

TEST_F(DocumentSaveFailure, ExitKeepsTheProgramAndTheOldFile) {
    for (Kind kind : {Kind::ReadOnly, Kind::MissingFolder, Kind::Locked}) {
        SCOPED_TRACE(static_cast<int>(kind));
        dlg.reset();
        seams.reset();  // before the next: its end clears the answers
        seams = std::make_unique<ScriptedSeams>();
        Open();
        FirstPaint();
        const std::string path = Prepare(kind, "Liste" + std::to_string(static_cast<int>(kind)) + ".pgx");
        ASSERT_TRUE(dlg->SetDocumentPath(path, TRUE));
        Modify();
        const std::set<std::string> listing = doctest::FolderListing(Folder());

        seams->AnswerBox(IDYES);
        seams->AnswerBox(IDOK);
        Click(IDOK);
        ASSERT_EQ(seams->boxes.size(), 2u);
        EXPECT_EQ(seams->boxes[0].text, SaveQuestion(path));
        EXPECT_EQ(seams->boxes[1].text, SaveFailed(path));
        EXPECT_EQ(seams->boxes[1].type, static_cast<UINT>(MB_OK));
        EXPECT_FALSE(dlg->HasEnded()) << "a failed Yes counts as Cancel";
        EXPECT_TRUE(dlg->m_bModified);
        EXPECT_EQ(Text(ids::Goods(0)), "neu");
        EXPECT_EQ(dlg->m_strDocPath, path);
        EXPECT_TRUE(TimersRunning());
        seams->AnswerBox(IDYES);
        seams->AnswerBox(IDOK);
        EXPECT_EQ(dlg->PromptSaveChanges(dlg->m_strDocPath), 2) << "asked again, still failing";
        EXPECT_TRUE(dlg->m_bModified);
        ExpectUntouched(kind, path, listing);

        // Once the file can be written again, the same Yes saves it.
        if (kind == Kind::ReadOnly) ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (kind == Kind::MissingFolder) ::CreateDirectoryA(At("fehlt").c_str(), nullptr);
        seams->AnswerBox(IDYES);
        EXPECT_EQ(dlg->PromptSaveChanges(dlg->m_strDocPath), 0);
        EXPECT_FALSE(dlg->m_bModified);
        EXPECT_NE(ReadFileBytes(path).find("Ware 01=neu\r\n"), std::string::npos);
        if (kind != Kind::MissingFolder) {
            EXPECT_NE(ReadFileBytes(path).find("; alt\r\n"), std::string::npos) << "foreign lines stay";
            EXPECT_NE(ReadFileBytes(path).find("[Eigen]\r\nx=1\r\n"), std::string::npos);
        }
    }
}

TEST_F(DocumentSaveFailure, AFailedYesGivesUpLoadResetAndDrop) {
    const std::string path = Prepare(Kind::ReadOnly, "Schreibgeschuetzt.pgx");
    WriteFileBytes(At("Andere.pgx"), CrLf({"[LISTE]", "Ware 01=andere"}));
    ASSERT_TRUE(dlg->SetDocumentPath(path, TRUE));
    dlg->ReadDocument();
    Modify();
    const std::set<std::string> listing = doctest::FolderListing(Folder());

    // Load: no file dialog after the failed save.
    seams->AnswerBox(IDYES);
    seams->AnswerBox(IDOK);
    Click(ids::kLoad);
    EXPECT_TRUE(seams->fileRequests.empty());

    // Reset: the window is not cleared.
    seams->AnswerBox(IDYES);
    seams->AnswerBox(IDOK);
    Click(ids::kReset);

    // Drop: the dropped document is not opened.
    seams->AnswerBox(IDYES);
    seams->AnswerBox(IDOK);
    Drop({At("Andere.pgx")});

    ASSERT_EQ(seams->boxes.size(), 6u);
    for (size_t i = 0; i < 6; i += 2) {
        EXPECT_EQ(seams->boxes[i].text, SaveQuestion(path)) << i;
        EXPECT_EQ(seams->boxes[i + 1].text, SaveFailed(path)) << i;
    }
    EXPECT_EQ(dlg->m_strDocPath, path);
    EXPECT_EQ(WindowTitle(), "Tarvelo   -   Schreibgeschuetzt");
    EXPECT_EQ(Text(ids::Goods(0)), "neu");
    EXPECT_TRUE(dlg->m_bModified);
    EXPECT_TRUE(TimersRunning());
    ExpectUntouched(Kind::ReadOnly, path, listing);
}

TEST_F(DocumentSaveFailure, AFailedSaveAsKeepsTheOldName) {
    ASSERT_TRUE(dlg->SetDocumentPath(At("Alt.pgx"), TRUE));
    dlg->m_lastPathParts = {};
    for (Kind kind : {Kind::ReadOnly, Kind::MissingFolder, Kind::Locked}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const std::string name = "Ziel" + std::to_string(static_cast<int>(kind));
        const std::string target = Prepare(kind, name + ".pgx");
        // Another instance has the target open and publishes its columns.
        const std::string companion = target.substr(0, target.size() - 4) + ".pgw";
        if (kind != Kind::MissingFolder) WriteFileBytes(companion, CrLf({"[A]", "Name=fremd", "Summe=1.00"}));
        Modify();
        const std::set<std::string> listing = doctest::FolderListing(Folder());

        seams->AnswerFile(target);
        seams->AnswerBox(IDOK);
        Click(ids::kSaveAs);
        ASSERT_EQ(seams->boxes.size(), 1u);
        EXPECT_EQ(seams->boxes[0].text, SaveFailed(target));
        seams->boxes.clear();

        EXPECT_EQ(dlg->m_strDocPath, At("Alt.pgx"));
        EXPECT_EQ(dlg->m_strDocTitle, "Alt");
        EXPECT_EQ(dlg->m_strCompanionPath, At("Alt.pgw"));
        EXPECT_EQ(WindowTitle(), "Tarvelo   -   Alt");
        EXPECT_TRUE(dlg->m_bModified);
        EXPECT_TRUE(TimersRunning());
        EXPECT_FALSE(Exists(At("Alt.pgx")));
        ExpectUntouched(kind, target, listing);
        if (kind != Kind::MissingFolder) {
            EXPECT_TRUE(Exists(companion)) << "the other instance's companion file stays";
        }
    }
}
