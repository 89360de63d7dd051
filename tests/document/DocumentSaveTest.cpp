// Saves that cannot be done, saves in deep folders and saves at once: the
// user is told of a failure, the old file stays exactly as it was, the
// document stays modified, and at most one copy is ever left behind.
#include "document/DocumentTestSupport.h"

#include "document/SafeSave.h"
#include "links/CompanionWriter.h"

#include <algorithm>
#include <array>
#include <regex>

using documents::CrLf;

class DocumentSave : public documents::DocumentTest {};

TEST_F(DocumentSave, EveryKindOfFailureLeavesTheOldFileAndTheChanges) {
    const std::string old = CrLf({"; alt", "[LISTE]", "Ware 01=alt"});
    enum Kind { kReadOnly, kMissingFolder, kLocked, kFullDisk };
    // A small file system that the test command provides where it can.
    const char* fullDisk = std::getenv("TARVELO_FULL_DISK");
    FirstPaint();
    for (int row = 0; row < ids::kRows; ++row) dlg->m_rowInfo[row].strText = std::string(2000, 'i');
    for (const Kind kind : {kReadOnly, kMissingFolder, kLocked, kFullDisk}) {
        if (kind == kFullDisk && !fullDisk) continue;
        SCOPED_TRACE((std::array{"read-only", "missing folder", "held open", "full disk"}[kind]));
        seams->boxes.clear();
        const std::string folder = kind == kFullDisk ? fullDisk : kind == kMissingFolder ? At("fehlt") : Folder();
        const std::string path = folder + "\\Liste.pgx", filler = folder + "\\Fueller";
        if (kind != kMissingFolder) WriteFileBytes(path, old);
        if (kind == kReadOnly) ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE lock = kind == kLocked ? ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                      : INVALID_HANDLE_VALUE;
        ULARGE_INTEGER free{};
        if (kind == kFullDisk && ::GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr)) {
            WriteFileBytes(filler, std::string(free.QuadPart > 4096 ? free.QuadPart - 4096 : 0, 'f'));
        }
        const std::set<std::string> listing = documents::FolderListing(folder);

        // Through the save question and through Save As. The old file is
        // the test's own, not a change made since this window saved it.
        dlg->m_knownFiles.clear();
        ASSERT_TRUE(dlg->SetDocumentPath(path, TRUE));
        Type(ids::Goods(0), "neu");
        for (int answer : {IDYES, IDOK, IDOK}) seams->AnswerBox(answer);
        EXPECT_EQ(dlg->PromptSaveChanges(path), 2) << "a failed Yes counts as Cancel";
        ASSERT_TRUE(dlg->SetDocumentPath(At("Vorher.pgx"), TRUE));
        seams->AnswerFile(path);
        Click(ids::kSaveAs);
        const Box failed{"Die Datei   " + path + "   konnte nicht gespeichert werden !"};
        EXPECT_EQ(Shown(), (std::vector<Box>{{documents::SaveQuestion(path), MB_YESNOCANCEL}, failed, failed}));
        EXPECT_EQ(WindowTitle(), "Tarvelo   -   Vorher") << "a failed Save As keeps the old name";
        EXPECT_TRUE(dlg->m_bModified);
        EXPECT_TRUE(TimersRunning());
        if (lock != INVALID_HANDLE_VALUE) ::CloseHandle(lock);
        EXPECT_EQ(ReadFileBytes(path), kind == kMissingFolder ? "" : old);
        EXPECT_EQ(documents::FolderListing(folder), listing) << "no copy left behind";
        EXPECT_FALSE(Exists(At("Vorher.pgx")));

        RemoveFile(filler);
        RemoveFile(path);
    }
    if (!fullDisk) GTEST_SKIP() << "the full disk was not tried: no small file system (the test command mounts one as root)";
}

// A copy written whole that cannot take the old file's place (another
// program opens it just then): the save fails, and the old file alone stays.
TEST_F(DocumentSave, ACopyThatCannotReplaceTheOldFileFailsTheSaveAndGoes) {
    const std::string path = At("Liste.pgx");
    WriteFileBytes(path, "alt");
    HANDLE held = INVALID_HANDLE_VALUE;
    SetBeforeSaveMove([&](const std::string&) {
        held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    });
    EXPECT_FALSE(SaveReplacing(path, "neu", Durability::kFlushed));
    SetBeforeSaveMove(nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ::CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(path), "alt");
    EXPECT_EQ(documents::FolderListing(Folder()), std::set<std::string>{"Liste.pgx"});
}

// A document as deep as a document may be, and one whose name is as long
// as its path allows, are saved with the same safety (the copy's name is
// short whatever the document's), and so is the long name's companion
// file; a copy left by a save that was cut off goes with the next save in
// its folder, a copy a running save holds stays.
TEST_F(DocumentSave, ADeepFolderOrALongNameSavesAndALeftCopyGoesWithTheNextSave) {
    const std::string folder = Folder() + "\\" + std::string(246 - Folder().size(), 'v');
    std::filesystem::create_directories(folder);
    const std::string path = folder + "\\Liste.pgx";
    ASSERT_GE(path.size(), 257u);
    FirstPaint();
    Type(ids::Goods(0), "tief");
    WriteTo(path);
    EXPECT_EQ(ReadFileBytes(path).find("[LISTE]\r\nWare 01=tief\r\n"), 0u);
    EXPECT_EQ(documents::FolderListing(folder), std::set<std::string>{"Liste.pgx"});

    const std::string ended = "~tv00000001.tmp", running = "~tv0000000f.tmp";
    for (const std::string& left : {ended, running}) WriteFileBytes(At(left), "[LISTE]\r\nWare 01=halb");
    ::SetFileAttributesA(At(ended).c_str(), FILE_ATTRIBUTE_READONLY);
    const HANDLE held = ::CreateFileA(At(running).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    WriteTo(At("Flach.pgx"));
    ::CloseHandle(held);
    EXPECT_EQ(documents::FolderListing(Folder()), (std::set<std::string>{"Flach.pgx", running, folder.substr(Folder().size() + 1)}));

    const std::string title = std::string(254 - Folder().size(), 'n'), named = At(title + ".pgx");
    std::set<std::string> beside;
    SetBeforeSaveMove([&](const std::string& target) {
        if (target == named) beside = documents::FolderListing(Folder());
    });
    WriteTo(named);
    SetBeforeSaveMove(nullptr);
    const std::regex copy("~tv[0-9a-f]{8}\\.tmp");
    EXPECT_EQ(std::count_if(beside.begin(), beside.end(), [&](const std::string& name) { return std::regex_match(name, copy); }), 1)
        << "the copy beside the long name: " << ::testing::PrintToString(beside);
    TickSums();
    EXPECT_TRUE(dlg->m_companion->WaitUntilIdle(5000) && Exists(At(title + ".pgw"))) << "the long name's companion file";
    EXPECT_EQ(ReadFileBytes(named).find("[LISTE]\r\nWare 01=tief\r\n"), 0u);
}

