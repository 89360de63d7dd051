// The list copied as a table and a 20-row range pasted, on a maximal list,
// the sums included.
#include "Bench.h"
#include "model/ControlIds.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr size_t kMaxText = 259;

void FillMaximalList(CPriceListDlg& dlg) {
    for (int row = 0; row < ids::kRows; ++row) {
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Goods(row), std::string(kMaxText, 'W').c_str());
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Price(row), (std::to_string(row + 1) + ".25").c_str());
        for (int column = 0; column < ids::kColumns; ++column) dlg.SelectionButtonState(row, column, 1);
    }
    for (int column = 0; column < ids::kColumns; ++column)
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Name(column), std::string(kMaxText, 'N').c_str());
}

void PutRange(HWND owner, int round) {
    std::string text;
    for (int row = 0; row < ids::kRows; ++row) text += "Ware " + std::to_string(row + round % 2) + "\t1" + std::to_string(row) + ".5\r\n";
    if (!::OpenClipboard(owner)) return;
    ::EmptyClipboard();
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    std::memcpy(::GlobalLock(memory), text.data(), text.size());
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
}

std::string CopyMaximalList() {
    BenchDialog bench;
    FillMaximalList(bench.Dlg());
    return Micros(MedianMicros(51, [&] { bench.Dlg().CopyListAsTable(); }));
}

std::string PasteRange() {
    BenchDialog bench;
    FillMaximalList(bench.Dlg());
    int round = 0;
    // The range differs from what the rows hold in every round.
    const double both = MedianMicros(51, [&] {
        PutRange(bench.Wnd(), round++);
        bench.Dlg().PasteRange(ids::Goods(0));
    });
    // What the benchmark's own putting of the range costs, apart.
    const double put = MedianMicros(51, [&] { PutRange(bench.Wnd(), round++); });
    return Micros(both - put) + " (" + Micros(both) + " with putting the range on the clipboard, " + Micros(put) +
           " putting it alone)";
}

const BenchRegistrar copy("copy the list as a table, maximal list (text and HTML)", "<= 20 ms", CopyMaximalList);
const BenchRegistrar paste("paste a 20-row range, sums included", "<= 20 ms", PasteRange);

}  // namespace
