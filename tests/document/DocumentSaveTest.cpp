// Saves that cannot be done, saves in deep folders and saves cut off: the
// user is told of a failure, the old file stays exactly as it was, the
// document stays modified, and at most one copy is ever left behind.
#include "document/DocumentTestSupport.h"
#include "document/SafeSave.h"

#include <algorithm>
#include <cstdlib>
#include <random>

using doctest::CrLf;

namespace {

const std::string kOldBytes = CrLf({"; alt", "[LISTE]", "Ware 01=alt", "[Eigen]", "x=1"});
std::string SaveFailed(const std::string& path) { return "Die Datei   " + path + "   konnte nicht gespeichert werden !"; }

}  // namespace

class DocumentSave : public doctest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        FirstPaint();
    }
    void TearDown() override {
        if (m_lock != INVALID_HANDLE_VALUE) ::CloseHandle(m_lock);
        DocumentTest::TearDown();
    }
    HANDLE m_lock = INVALID_HANDLE_VALUE;
};

TEST_F(DocumentSave, EveryKindOfFailureLeavesTheOldFileAndTheChanges) {
    enum Kind { kReadOnly, kMissingFolder, kLocked, kFullDisk };
    // A small file system that a test run may provide for the full disk.
    const char* fullDisk = std::getenv("TARVELO_FULL_DISK");
    for (const Kind kind : {kReadOnly, kMissingFolder, kLocked, kFullDisk}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        if (kind == kFullDisk && !fullDisk) {
            std::printf("[          ] no small file system given: the full disk is not tried\n");
            continue;
        }
        const std::string folder = kind == kFullDisk ? std::string(fullDisk) : Folder();
        const std::string path = kind == kMissingFolder ? At("fehlt\\Liste.pgx") : folder + "\\Liste" + std::to_string(kind) + ".pgx";
        if (kind != kMissingFolder) WriteFileBytes(path, kOldBytes);
        if (kind == kReadOnly) ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        if (kind == kLocked) {
            m_lock = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        }
        // What is left of the small disk, filled all but a little.
        const std::string filler = folder + "\\Fueller";
        if (kind == kFullDisk) {
            ULARGE_INTEGER free{};
            ::GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr);
            WriteFileBytes(filler, std::string(free.QuadPart > 4096 ? free.QuadPart - 4096 : 0, 'f'));
        }
        const std::set<std::string> listing = doctest::FolderListing(folder);
        for (int row = 0; row < ids::kRows; ++row) dlg->m_rowInfo[row].strText = std::string(2000, 'i');

        // Through the save question and through Save As.
        ASSERT_TRUE(dlg->SetDocumentPath(path, TRUE));
        Type(ids::Goods(0), "neu");
        seams->AnswerBox(IDYES);
        seams->AnswerBox(IDOK);
        EXPECT_EQ(dlg->PromptSaveChanges(path), 2) << "a failed Yes counts as Cancel";
        ASSERT_TRUE(dlg->SetDocumentPath(At("Vorher.pgx"), TRUE));
        seams->AnswerFile(path);
        seams->AnswerBox(IDOK);
        Click(ids::kSaveAs);
        ASSERT_EQ(seams->boxes.size(), 3u);
        EXPECT_EQ(seams->boxes[1].text, SaveFailed(path));
        EXPECT_EQ(seams->boxes[2].text, SaveFailed(path));
        EXPECT_EQ(dlg->m_strDocPath, At("Vorher.pgx")) << "a failed Save As keeps the old name";
        EXPECT_EQ(WindowTitle(), "Tarvelo   -   Vorher");
        EXPECT_TRUE(dlg->m_bModified);
        EXPECT_EQ(Text(ids::Goods(0)), "neu");

        if (m_lock != INVALID_HANDLE_VALUE) ::CloseHandle(m_lock);
        m_lock = INVALID_HANDLE_VALUE;
        EXPECT_EQ(ReadFileBytes(path), kind == kMissingFolder ? "" : kOldBytes);
        EXPECT_EQ(doctest::FolderListing(folder), listing) << "no copy left behind";
        EXPECT_FALSE(Exists(At("Vorher.pgx")));

        // Once the file can be written, the same Yes saves it, foreign lines kept.
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (kind == kMissingFolder) ::CreateDirectoryA(At("fehlt").c_str(), nullptr);
        RemoveFile(filler);
        ASSERT_TRUE(dlg->SetDocumentPath(path, TRUE));
        seams->AnswerBox(IDYES);
        EXPECT_EQ(dlg->PromptSaveChanges(path), 0);
        EXPECT_NE(ReadFileBytes(path).find("Ware 01=neu\r\n"), std::string::npos);
        if (kind != kMissingFolder) { EXPECT_EQ(ReadFileBytes(path).find("; alt\r\n[LISTE]\r\nWare 01=neu\r\n"), 0u); }
        RemoveFile(path);
        ::RemoveDirectoryA(At("fehlt").c_str());
        seams.reset();
        seams = std::make_unique<ScriptedSeams>();
    }
}

// A document as deep as a document may be is saved with the same safety,
// and a copy left by a save that was cut off goes with the next save.
TEST_F(DocumentSave, ADeepFolderSavesAndALeftCopyGoesWithTheNextSave) {
    std::string folder = Folder();
    for (size_t n; (n = std::min<size_t>(40, 247 - std::min<size_t>(folder.size(), 247))) > 0;) {
        folder.append(1, '\\').append(n, 'v');
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    const std::string path = folder + "\\Liste.pgx";
    ASSERT_GE(path.size(), 257u);
    WriteFileBytes(path, kOldBytes);
    ASSERT_TRUE(Exists(path));
    ReadFrom(path);
    Type(ids::Goods(0), "tief");
    ASSERT_TRUE(dlg->WriteDocument());
    EXPECT_EQ(ReadFileBytes(path).find("; alt\r\n[LISTE]\r\nWare 01=tief\r\n"), 0u);
    EXPECT_EQ(doctest::FolderListing(folder), std::set<std::string>{"Liste.pgx"});

    // What a save cut off leaves, and the next save.
    const std::string shallow = At("Flach.pgx");
    WriteFileBytes(SaveCopyPath(shallow), "[LISTE]\r\nWare 01=halb");
    ::SetFileAttributesA(SaveCopyPath(shallow).c_str(), FILE_ATTRIBUTE_READONLY);
    WriteTo(shallow);
    EXPECT_FALSE(Exists(SaveCopyPath(shallow)));
    EXPECT_EQ(SaveCopyPath("C:\\Listen\\Haushalt.pgx"), "C:\\Listen\\~Haushalt.pgx.tmp");
}

// A child process saves one document over and over, alternating between
// two states, and is killed at moments spread over whole saves: each time
// one of the two states is left whole, both states are seen, and never
// more than one copy lies beside the document.
TEST_F(DocumentSave, ASaveKilledAnywhereLeavesOneWholeDocument) {
    const std::string program = doctest::TestData("SaveLoop.exe");
    const std::string document = At("Liste.pgx"), a = At("A.pgx"), b = At("B.pgx");
    std::mt19937 random(4711);
    int sawA = 0, sawB = 0;
    constexpr int kKills = 16;
    for (int kill = 0; kill < kKills; ++kill) {
        const std::string event = "TarveloSaveLoop" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(kill);
        const HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, event.c_str());
        std::string commandLine = "\"" + program + "\" \"" + document + "\" \"" + a + "\" \"" + b + "\" " + event;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        ASSERT_TRUE(::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                     nullptr, nullptr, &startup, &child));
        const HANDLE both[] = {ready, child.hProcess};
        const bool looping = ::WaitForMultipleObjects(2, both, FALSE, 60000) == WAIT_OBJECT_0;
        // The child times its own saves; a moment within four of them.
        const DWORD period = static_cast<DWORD>(std::max(1, std::atoi(ReadFileBytes(document + ".ms").c_str())));
        if (looping) ::WaitForSingleObject(child.hProcess, std::uniform_int_distribution<DWORD>(0, 4 * period)(random));
        ::TerminateProcess(child.hProcess, 9);
        ::WaitForSingleObject(child.hProcess, INFINITE);
        for (HANDLE h : {ready, child.hThread, child.hProcess}) ::CloseHandle(h);
        ASSERT_TRUE(looping) << "the saving program did not start its loop";

        const std::string left = ReadFileBytes(document);
        ASSERT_NE(ReadFileBytes(a), ReadFileBytes(b));
        EXPECT_TRUE(left == ReadFileBytes(a) || left == ReadFileBytes(b)) << "kill " << kill << ": " << left.size();
        (left == ReadFileBytes(a) ? sawA : sawB) += 1;
        for (const std::string& name : doctest::FolderListing(Folder())) {
            EXPECT_TRUE(name == "Liste.pgx" || name == "~Liste.pgx.tmp" || name == "Liste.pgx.ms" || name == "A.pgx" ||
                        name == "B.pgx")
                << name;
        }
    }
    std::printf("[          ] killed %d times: %d times A, %d times B left\n", kKills, sawA, sawB);
    EXPECT_GT(sawA, 0);
    EXPECT_GT(sawB, 0);
}
