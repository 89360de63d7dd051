#pragma once
// Helpers shared by the document tests: a fixture on the real main dialog
// with a folder of its own per test, file and folder inspection, and a drop
// handle built as the shell builds one.
#include "support/Harness.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace doctest {

// Lines joined with CR LF, each line ended by one.
inline std::string CrLf(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

// The names in a folder (files and folders, without "." and "..").
inline std::set<std::string> FolderListing(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    const HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

// A file kept with the tests, which the build puts beside the test program.
inline std::string TestData(const std::string& name) {
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string exe = module;
    return exe.substr(0, exe.find_last_of('\\') + 1) + name;
}

// Removes a folder with everything in it.
inline void RemoveTree(const std::string& folder) {
    for (const std::string& name : FolderListing(folder)) {
        const std::string path = folder + "\\" + name;
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            RemoveTree(path);
        } else {
            RemoveFile(path);
        }
    }
    ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(folder.c_str());
}

// A drop handle as the shell hands it over: DROPFILES followed by the
// double-NUL-terminated list of ANSI paths. The receiver frees it.
inline HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths) list += path + '\0';
    list += '\0';
    const HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    if (!memory) return nullptr;
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::copy(list.begin(), list.end(), reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// The main dialog, opened untitled, with a fresh folder for the test's
// documents. The untitled document lives in the working directory and is
// removed before and after.
class DocumentTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = TestDir() + "\\" + info->test_suite_name() + "." + info->name();
        RemoveTree(m_folder);
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        RemoveFile(".\\Unbenannt.pgx");
        Open();
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        RemoveTree(m_folder);
        RemoveFile(".\\Unbenannt.pgx");
    }

    // A path in the test's own folder.
    std::string At(const std::string& name) const { return m_folder + "\\" + name; }
    const std::string& Folder() const { return m_folder; }

    // Makes path the current document and reads it, as a load does.
    void ReadFrom(const std::string& path) {
        ASSERT_TRUE(dlg->SetDocumentPath(path, TRUE)) << path;
        dlg->ReadDocument();
    }
    // Writes the current window into path (the document becomes path).
    void WriteTo(const std::string& path) {
        ASSERT_TRUE(dlg->SetDocumentPath(path, TRUE)) << path;
        ASSERT_TRUE(dlg->WriteDocument()) << path;
    }

    bool TimersRunning() const { return ::KillTimer(Wnd(), kSumTimerId) && ::KillTimer(Wnd(), kLinkTimerId); }
    void Drop(const std::vector<std::string>& paths) const {
        ::SendMessageA(Wnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }

private:
    std::string m_folder;
};

}  // namespace doctest
