// The sums tick over a full list against a bare loop doing the same control
// traffic, and dialog creation up to the first paint against a bare dialog.
#include "Bench.h"
#include "model/ControlIds.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "../res/resource.h"

namespace {

void FillFullList(CPriceListDlg& dlg) {
    for (int row = 0; row < ids::kRows; ++row) {
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Price(row), (std::to_string(row + 1) + ".25").c_str());
        for (int column = 0; column < ids::kColumns; ++column) dlg.SelectionButtonState(row, column, 1);
    }
}

// 20 price reads, 140 state reads and 8 texts compared (and written where
// they differ) on handles looked up before: the least a tick must do.
struct Handles {
    HWND prices[ids::kRows];
    HWND buttons[ids::kRows * ids::kColumns];
    HWND sums[ids::kColumns + 1];
};

Handles LookUp(HWND wnd) {
    Handles h{};
    for (int row = 0; row < ids::kRows; ++row) h.prices[row] = ::GetDlgItem(wnd, ids::Price(row));
    for (int i = 0; i < ids::kRows * ids::kColumns; ++i) h.buttons[i] = ::GetDlgItem(wnd, ids::kSelectionBase + i);
    for (int column = 0; column <= ids::kColumns; ++column) h.sums[column] = ::GetDlgItem(wnd, ids::kSumBase + column);
    return h;
}

void BareLoop(const Handles& h) {
    char text[260];
    double total = 0;
    for (HWND price : h.prices) {
        ::GetWindowTextA(price, text, sizeof text);
        total += std::atof(text);
    }
    for (HWND button : h.buttons) ::SendMessageA(button, BM_GETCHECK, 0, 0);
    std::snprintf(text, sizeof text, "%.2f", total);
    for (HWND sum : h.sums) {
        char shown[260];
        ::GetWindowTextA(sum, shown, sizeof shown);
        if (std::strcmp(shown, text) != 0) ::SetWindowTextA(sum, text);
    }
}

std::string SumsTick() {
    BenchDialog bench;
    FillFullList(bench.Dlg());
    const double ours = MedianMicros(301, [&] { bench.Dlg().UpdateSums(); });
    const Handles handles = LookUp(bench.Wnd());
    const double bare = MedianMicros(301, [&] { BareLoop(handles); });
    char out[128];
    std::snprintf(out, sizeof out, "%s vs bare loop %s (%.2fx)", Micros(ours).c_str(), Micros(bare).c_str(),
                  ours / bare);
    return out;
}

// Serves what waits for this thread, the sum timer's ticks left out,
// until the total reads `total`.
void PumpUntilTotal(HWND wnd, const char* total) {
    char shown[64] = {};
    for (int spins = 0; spins < 100000; ++spins) {
        ::GetDlgItemTextA(wnd, ids::kTotal, shown, sizeof shown);
        if (std::strcmp(shown, total) == 0) return;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_TIMER) ::DispatchMessageA(&msg);
        }
    }
}

// Prices set as typing or a paste sets them (the change notifications run)
// until the total shows them, through the message loop and without a tick;
// the floor is the same texts set and the bare loop's sums once.
std::string SetUntilTotal(int rows) {
    BenchDialog bench;
    FillFullList(bench.Dlg());
    ::SendMessageA(bench.Wnd(), WM_PAINT, 0, 0);
    const Handles handles = LookUp(bench.Wnd());
    int round = 0;
    auto set = [&](int value) {
        for (int row = 0; row < rows; ++row) ::SetWindowTextA(handles.prices[row], std::to_string(value).c_str());
    };
    auto totalOf = [&](int value) {
        double total = rows * static_cast<double>(value);
        for (int row = rows; row < ids::kRows; ++row) total += row + 1.25;
        char text[64];
        std::snprintf(text, sizeof text, "%.2f", total);
        return std::string(text);
    };
    const double ours = MedianMicros(101, [&] {
        ++round;
        set(round);
        PumpUntilTotal(bench.Wnd(), totalOf(round).c_str());
    });
    const double bare = MedianMicros(101, [&] {
        set(++round);
        BareLoop(handles);
    });
    char out[160];
    std::snprintf(out, sizeof out, "%s; floor: the same texts set and the bare loop once %s", Micros(ours).c_str(),
                  Micros(bare).c_str());
    return out;
}

INT_PTR CALLBACK BareProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

std::string StartupToFirstPaint() {
    const double ours = MedianMicros(21, [] {
        BenchDialog bench;
        ::SendMessageA(bench.Wnd(), WM_PAINT, 0, 0);
        bench.Dlg().SetBackgroundActive(FALSE);
    });
    const double bare = MedianMicros(21, [] {
        const HWND h = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PRICELIST), nullptr,
                                            BareProc, 0);
        ::SendMessageA(h, WM_PAINT, 0, 0);
        ::DestroyWindow(h);
    });
    char out[128];
    std::snprintf(out, sizeof out, "%s vs bare dialog %s (%.2fx)", Micros(ours).c_str(), Micros(bare).c_str(),
                  ours / bare);
    return out;
}

const BenchRegistrar sums("UpdateSums, full list (20 prices, 140 on)", "<= 1.5x bare loop", SumsTick);
const BenchRegistrar keystroke("a keystroke in a price until the total shows it (one EN_CHANGE through the message loop)",
                               "<= 2 ms", [] { return SetUntilTotal(1); });
const BenchRegistrar paste("a paste of 20 prices until the total shows it", "<= 10 ms",
                           [] { return SetUntilTotal(ids::kRows); });
const BenchRegistrar startup("dialog creation to first paint", "close to bare dialog", StartupToFirstPaint);

}  // namespace
