// The link tick over a full list of linked rows with nothing changed: every
// row reads another document's companion file, or one document's, or finds
// its document missing; beside it, in turns, the calls it cannot do without.
#include "Bench.h"
#include "model/ControlIds.h"
#include "support/Samples.h"

#include <algorithm>
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

// Files written long ago, as a linked document is when nothing happens.
void MakeOld(const std::string& path) {
    const HANDLE h = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= 3600ULL * 10'000'000;
    const FILETIME old{t.LowPart, t.HighPart};
    ::SetFileTime(h, nullptr, nullptr, &old);
    ::CloseHandle(h);
}

// What a tick cannot do without when nothing has changed: a look at each
// file the links read and at its document, the two texts of each row
// compared, and the fourteen published texts read.
void BareTick(CPriceListDlg& dlg, const std::vector<std::string>& distinct) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    for (const std::string& doc : distinct) {
        ::GetFileAttributesExA(doc.c_str(), GetFileExInfoStandard, &data);
        ::GetFileAttributesExA((doc.substr(0, doc.size() - 4) + ".pgw").c_str(), GetFileExInfoStandard, &data);
    }
    for (int row = 0; row < ids::kRows; ++row) {
        dlg.GetItemText(ids::Goods(row), 260);
        dlg.GetItemText(ids::Price(row), 260);
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        dlg.GetItemText(ids::Name(column), 260);
        dlg.GetItemText(ids::Sum(column), 260);
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
        if (companions && (row == index)) {
            const std::string companion = BenchDir() + "\\Liste" + std::to_string(index) + ".pgw";
            WriteColumns(doc, index);
            WriteColumns(companion, index);
            MakeOld(doc);
            MakeOld(companion);
            files.push_back(doc);
            files.push_back(companion);
        }
        dlg.m_rowLinkFile[row] = doc;
        dlg.m_rowLinkColumn[row] = 1;
    }
    dlg.LinkTick();  // publishes once, as after start-up
    std::vector<std::string> distinct(dlg.m_rowLinkFile.begin(), dlg.m_rowLinkFile.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    const Paired p = InTurns(kTicks, [&] { return TimedMicros([&] { dlg.LinkTick(); }); },
                             [&] { return TimedMicros([&] { BareTick(dlg, distinct); }); });
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
