// Saves one document over and over, alternating between two whole states,
// until it is killed. The document tests kill it at random moments and look
// at what is left.
//
//   SaveLoop <document> <reference A> <reference B> <ready event>
//
// It first writes each state once into its reference file, then state A
// into the document, signals the ready event and loops.
#include "app/PriceListApp.h"
#include "app/PriceListDlg.h"
#include "dialogkit/Seams.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int kInfoTextLength = 2000;  // long enough that a save takes a while

void FillState(CPriceListDlg& dlg, char variant) {
    for (int row = 0; row < ids::kRows; ++row) {
        const std::string tag = std::string(1, variant) + std::to_string(row);
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Goods(row), ("Ware " + tag).c_str());
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Price(row), (std::to_string(row + (variant == 'A' ? 1 : 100)) + ".50").c_str());
        for (int column = 0; column < ids::kColumns; ++column) {
            dlg.SelectionButtonState(row, column, (row + column + variant) % 2);
        }
        dlg.m_rowInfo[row].strText = std::string(kInfoTextLength, variant == 'A' ? 'a' : 'b');
        dlg.m_rowInfo[row].strSource1 = "C:\\Quelle\\" + tag + ".txt";
    }
    dlg.UpdateSums();
}

bool Save(CPriceListDlg& dlg, const std::string& path, char variant) {
    FillState(dlg, variant);
    return dlg.SetDocumentPath(path, TRUE) && dlg.WriteDocument();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: SaveLoop document referenceA referenceB readyEvent\n");
        return 2;
    }
    // Nobody is there to answer: a failed save ends the loop.
    dialogkit::TheSeams().messageBox = [](const std::string& text, UINT, HWND) {
        std::fprintf(stderr, "%s\n", text.c_str());
        ::ExitProcess(3);
        return IDOK;
    };
    CPriceListApp app;
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    app.SetModulePath(module);
    app.DerivePaths();

    CPriceListDlg dlg;
    if (!dlg.CreateModeless()) return 4;
    if (!Save(dlg, argv[2], 'A') || !Save(dlg, argv[3], 'B') || !Save(dlg, argv[1], 'A')) return 5;

    // How long one save takes, for the moments the tests kill it at.
    constexpr int kTimedSaves = 3;
    const ULONGLONG start = ::GetTickCount64();
    for (int i = 0; i < kTimedSaves; ++i) {
        if (!Save(dlg, argv[1], i % 2 ? 'A' : 'B')) return 5;
    }
    std::ofstream(std::string(argv[1]) + ".ms") << (::GetTickCount64() - start) / kTimedSaves;

    const HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[4]);
    if (!ready) return 6;
    ::SetEvent(ready);
    ::CloseHandle(ready);

    for (char variant = 'A';; variant = variant == 'A' ? 'B' : 'A') {
        if (!Save(dlg, argv[1], variant)) return 7;
    }
}
