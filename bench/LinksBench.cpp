// The link tick over a full list of linked rows: every row reads another
// document's companion file, or finds its document missing.
#include "Bench.h"
#include "model/ControlIds.h"
#include "support/Samples.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int kTicks = 201;

void WriteColumns(const std::string& path, int index) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int column = 0; column < ids::kColumns; ++column) {
        out << "[" << ids::ColumnLetter(column) << "]\r\nName=Spalte " << index << "\r\nSumme=" << 100 + index
            << ".50\r\n";
    }
}

// The system calls a tick cannot do without, one after the other: per row
// the long form of the path, one existence test, two profile reads, two
// texts written and two edits disabled; then the 14 published texts read.
// The goods texts written are those the tick shows, so that, taken in turns,
// neither leaves the other a change to make.
void BareTick(CPriceListDlg& dlg, const std::vector<std::string>& goods) {
    const HWND wnd = dlg.GetSafeHwnd();
    char text[260];
    for (int row = 0; row < ids::kRows; ++row) {
        const std::string& doc = dlg.m_rowLinkFile[row];
        ::GetLongPathNameA(doc.c_str(), text, sizeof text);
        const std::string companion = doc.substr(0, doc.size() - 4) + ".pgw";
        const bool companionThere = ::GetFileAttributesA(companion.c_str()) != INVALID_FILE_ATTRIBUTES;
        const std::string& source = companionThere ? companion : doc;
        char name[260];
        char sum[260];
        ::GetPrivateProfileStringA("B", "Name", "", name, sizeof name, source.c_str());
        ::GetPrivateProfileStringA("B", "Summe", "", sum, sizeof sum, source.c_str());
        ::SetDlgItemTextA(wnd, ids::Goods(row), goods[row].c_str());
        ::EnableWindow(::GetDlgItem(wnd, ids::Goods(row)), FALSE);
        ::SetDlgItemTextA(wnd, ids::Price(row), sum);
        ::EnableWindow(::GetDlgItem(wnd, ids::Price(row)), FALSE);
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        ::GetDlgItemTextA(wnd, ids::Name(column), text, sizeof text);
        ::GetDlgItemTextA(wnd, ids::Sum(column), text, sizeof text);
    }
}

// 20 rows, each linked to column B of its own document; with companions the
// documents are "open elsewhere", without them the documents are gone too.
std::string TickOverLinks(bool companions, bool sameDocument) {
    BenchDialog bench;
    CPriceListDlg& dlg = bench.Dlg();
    std::vector<std::string> files;
    for (int row = 0; row < ids::kRows; ++row) {
        const int index = sameDocument ? 0 : row;
        const std::string doc = BenchDir() + "\\Liste" + std::to_string(index) + ".pgx";
        if (companions) {
            WriteColumns(doc, index);
            WriteColumns(BenchDir() + "\\Liste" + std::to_string(index) + ".pgw", index);
            files.push_back(doc);
            files.push_back(BenchDir() + "\\Liste" + std::to_string(index) + ".pgw");
        }
        dlg.m_rowLinkFile[row] = doc;
        dlg.m_rowLinkColumn[row] = 1;
    }
    dlg.LinkTick();  // publishes once, as after start-up
    std::vector<std::string> goods;
    for (int row = 0; row < ids::kRows; ++row) goods.push_back(dlg.GetItemText(ids::Goods(row), 260));
    const Paired p = InTurns(kTicks, [&] { return TimedMicros([&] { dlg.LinkTick(); }); },
                             [&] { return TimedMicros([&] { BareTick(dlg, goods); }); });
    const std::string shown = dialogkit::WindowText(::GetDlgItem(bench.Wnd(), ids::Price(ids::kRows - 1)), 260);
    for (const std::string& f : files) ::DeleteFileA(f.c_str());
    char out[200];
    std::snprintf(out, sizeof out, "%s vs bare calls %s (%.2fx), in turns; row 20 shows \"%s\"",
                  Micros(p.ours.median).c_str(), Micros(p.base.median).c_str(), p.ours.median / p.base.median,
                  shown.c_str());
    return out;
}

const BenchRegistrar withCompanions("LinkTick, 20 rows linked to 20 documents with companion files", "<= 2 ms",
                                    [] { return TickOverLinks(true, false); });
const BenchRegistrar oneDocument("LinkTick, 20 rows linked to one document with a companion file", "<= 2 ms",
                                 [] { return TickOverLinks(true, true); });
const BenchRegistrar missing("LinkTick, 20 rows linked to missing documents", "<= 2 ms",
                             [] { return TickOverLinks(false, false); });

}  // namespace
