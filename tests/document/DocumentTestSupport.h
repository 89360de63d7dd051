#pragma once
// Shared by the document tests: a folder of its own per test, file and
// folder inspection, and a drop handle built as the shell builds one.
#include "support/Harness.h"

#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <set>

namespace documents {

// Lines joined with CR LF, each line ended by one.
inline std::string CrLf(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& line : lines) out.append(line).append("\r\n");
    return out;
}

// The question before a command replaces a changed list.
inline std::string SaveQuestion(const std::string& path) { return "\xC4nderungen in   " + path + "   speichern ?"; }

// The names in a folder; none when there is no such folder.
inline std::set<std::string> FolderListing(const std::string& folder) {
    std::set<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// A file kept with the tests, which the build puts beside the test program.
inline std::string TestData(const std::string& name) {
    char module[MAX_PATH] = {};
    const std::string exe(module, ::GetModuleFileNameA(nullptr, module, MAX_PATH));
    return exe.substr(0, exe.find_last_of('\\') + 1) + name;
}

// DROPFILES and the double-NUL-terminated list of paths; the receiver frees it.
inline HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths) list += path + '\0';
    const HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() + 1);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::copy(list.begin(), list.end(), reinterpret_cast<char*>(drop + 1));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// The main dialog, untitled, with a fresh folder for the test's documents;
// the untitled document in the working directory is removed before and after.
class DocumentTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        m_folder = TestDir() + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        RemoveFile(".\\Unbenannt.pgx");
        Open();
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        std::error_code kept;  // what a failed test left read-only stays in the test program's folder
        std::filesystem::remove_all(m_folder, kept);
        RemoveFile(".\\Unbenannt.pgx");
    }
    std::string At(const std::string& name) const { return m_folder + "\\" + name; }
    const std::string& Folder() const { return m_folder; }
    void ReadFrom(const std::string& path) { ASSERT_TRUE(dlg->OpenDocumentFile(path)) << path; }
    void WriteTo(const std::string& path) { ASSERT_TRUE(dlg->SetDocumentPath(path, TRUE) && dlg->WriteDocument()) << path; }
    void Drop(const std::vector<std::string>& paths) const {
        ::SendMessageA(Wnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }

private:
    std::string m_folder;
};

}  // namespace documents
