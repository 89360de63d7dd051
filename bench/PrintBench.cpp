// Printing a maximal list to the default printer, from the dialog's OK to
// the end of the job's spooling, beside two floors: a bare job of one line
// and a bare job of as many pages, one line each.
#include "Bench.h"
#include "dialogkit/Seams.h"
#include "model/ControlIds.h"
#include "support/Samples.h"

#include <winspool.h>

#include <cstdio>
#include <string>

namespace {

constexpr size_t kMaxText = 259;
constexpr size_t kMaxInfo = 2399;
constexpr int kRounds = 5;

std::string DefaultPrinter() {
    char name[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    return ::GetDefaultPrinterA(name, &size) ? name : "";
}

std::string Words(size_t length) {
    std::string text;
    while (text.size() < length) text += "Wort lang ";
    return text.substr(0, length);
}

void FillMaximalList(CPriceListDlg& dlg) {
    for (int row = 0; row < ids::kRows; ++row) {
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Goods(row), Words(kMaxText).c_str());
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Price(row), (std::to_string(row + 1) + ".25").c_str());
        for (int column = 0; column < ids::kColumns; ++column) dlg.SelectionButtonState(row, column, 1);
        dlg.m_rowInfo[row].strText = Words(kMaxInfo);
    }
    for (int column = 0; column < ids::kColumns; ++column)
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), ids::Name(column), Words(kMaxText).c_str());
}

// A bare job: the pages, one line of text each; its time, -1 if refused.
double BareJob(const std::string& printer, int pages) {
    return TimedMicros([&] {
        const HDC dc = ::CreateDCA("WINSPOOL", printer.c_str(), nullptr, nullptr);
        DOCINFOA info{sizeof info, "Tarvelo - bare", nullptr, nullptr, 0};
        if (dc && ::StartDocA(dc, &info) > 0) {
            for (int page = 0; page < pages; ++page) {
                ::StartPage(dc);
                ::TextOutA(dc, 300, 300, "Käse 4.20", 9);
                ::EndPage(dc);
            }
            ::EndDoc(dc);
        }
        if (dc) ::DeleteDC(dc);
    });
}

std::string PrintMaximalList() {
    const std::string printer = DefaultPrinter();
    if (printer.empty()) return "no printer here";
    BenchDialog bench;
    FillMaximalList(bench.Dlg());
    int pages = 0;
    dialogkit::Seams& seams = dialogkit::TheSeams();
    // The dialog answers OK at once, with the default printer's DC.
    seams.printDialog = [&](PRINTDLGA& request) {
        request.hDC = ::CreateDCA("WINSPOOL", printer.c_str(), nullptr, nullptr);
        return dialogkit::PrintDialogResult{request.hDC != nullptr, 0};
    };
    const double ours = MedianMicros(kRounds, [&] {
        bench.Dlg().OnPrint();
    });
    seams = dialogkit::Seams{};
    // The page count, from a job that only counts.
    seams.printDialog = [&](PRINTDLGA& request) {
        request.hDC = ::CreateDCA("WINSPOOL", printer.c_str(), nullptr, nullptr);
        return dialogkit::PrintDialogResult{request.hDC != nullptr, 0};
    };
    seams.spool = [&](dialogkit::SpoolStep step, HDC dc, const char*) {
        if (step == dialogkit::SpoolStep::kRelease) ::DeleteDC(dc);
        pages += step == dialogkit::SpoolStep::kStartPage;
        return 1;
    };
    pages = 0;
    bench.Dlg().OnPrint();
    seams = dialogkit::Seams{};
    const Paired bare = InTurns(kRounds, [&] { return BareJob(printer, 1); }, [&] { return BareJob(printer, pages); });
    char ratio[32] = {};
    std::snprintf(ratio, sizeof ratio, "%.1f", ours / bare.ours.median);
    return Micros(ours) + " for " + std::to_string(pages) + " pages (" + ratio + "x a bare job of one line, " +
           Micros(bare.ours.median) + "; a bare job of " + std::to_string(pages) + " pages " + Micros(bare.base.median) +
           ")";
}

const BenchRegistrar print("print a maximal list, OK to the end of spooling", "<= 3x a bare one-line job", PrintMaximalList);

}  // namespace
