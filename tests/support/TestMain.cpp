// The test program: one application object named like the product, and a
// fresh working folder, since the untitled document lives in the current
// directory. Started as "--save-loop document A B event" it is instead the
// program the document tests kill in the middle of saves.
#include "support/Harness.h"

#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

// One of two whole states, every field different, long enough that a save
// takes a while.
bool Save(CPriceListDlg& dlg, const std::string& path, char variant) {
    for (int row = 0; row < ids::kRows; ++row) {
        dlg.SetItemText(ids::Goods(row), "Ware " + std::string(1, variant) + std::to_string(row));
        for (int column = 0; column < ids::kColumns; ++column) dlg.SelectionButtonState(row, column, (row + column + variant) % 2);
        dlg.m_rowInfo[row].strText = std::string(2000, variant);
    }
    return dlg.SetDocumentPath(path, TRUE) && dlg.WriteDocument();
}

// Writes state A into reference A, B into B, times three saves of the
// document into document.ms, signals the event, then saves A and B in
// turns until it is killed; a failed save ends it.
int SaveLoop(char** argv) {
    dialogkit::TheSeams().messageBox = [](const std::string&, UINT, HWND) -> int { ::ExitProcess(3); };
    CPriceListDlg dlg;
    if (!dlg.CreateModeless() || !Save(dlg, argv[1], 'A') || !Save(dlg, argv[2], 'B')) return 4;
    constexpr int kTimedSaves = 3;
    const ULONGLONG start = ::GetTickCount64();
    for (int i = 0; i < kTimedSaves; ++i) Save(dlg, argv[0], i % 2 ? 'A' : 'B');
    std::ofstream(std::string(argv[0]) + ".ms") << (::GetTickCount64() - start) / kTimedSaves;
    const HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (!ready || !::SetEvent(ready)) return 5;
    for (char variant = 'A';; variant = variant == 'A' ? 'B' : 'A') Save(dlg, argv[0], variant);
}

}  // namespace

const std::string& TestDir() {
    static const std::string dir = [] {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        const std::string made = std::string(temp) + "tarvelo-tests-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(made.c_str(), nullptr);
        return made;
    }();
    return dir;
}

CPriceListApp& TestApp() {
    static CPriceListApp app;
    return app;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc == 6 && std::strcmp(argv[1], "--save-loop") == 0) {
        TestApp().SetModulePath("Tarvelo.exe");
        return SaveLoop(argv + 2);
    }
    TestApp().SetModulePath(TestDir() + "\\Tarvelo.exe");
    ::SetCurrentDirectoryA(TestDir().c_str());
    TestApp().DerivePaths();
    const int failed = RUN_ALL_TESTS();
    // A ctest entry whose filter names no test must not pass.
    if (::testing::UnitTest::GetInstance()->test_to_run_count() > 0) return failed;
    std::fprintf(stderr, "no test matches the filter\n");
    return 1;
}
