// Linked rows with nothing changed, in its two halves: the window's link
// tick, which only applies what the workers found, and a worker's look at
// its files; each beside, in turns, the calls it cannot do without. Every
// row reads another document's companion file, or one document's, or finds
// its document missing.
#include "Bench.h"
#include "links/LinkSources.h"
#include "links/LinkWatch.h"
#include "model/ControlIds.h"
#include "support/Samples.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int kTicks = 201;
constexpr DWORD kSettleLimitMs = 10000;

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

// 20 links to column B, each of its own document, or all of one; with
// companions the documents are "open elsewhere", without them the
// documents are gone too.
struct LinkedFiles {
    LinkedFiles(bool companions, bool sameDocument) {
        for (int row = 0; row < ids::kRows; ++row) {
            const int index = sameDocument ? 0 : row;
            const std::string doc = BenchDir() + "\\Liste" + std::to_string(index) + ".pgx";
            if (companions && row == index) {
                const std::string companion = BenchDir() + "\\Liste" + std::to_string(index) + ".pgw";
                for (const std::string& file : {doc, companion}) {
                    WriteColumns(file, index);
                    MakeOld(file);
                    written.push_back(file);
                }
            }
            links.push_back(doc);
        }
        distinct = links;
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    }
    ~LinkedFiles() {
        for (const std::string& f : written) ::DeleteFileA(f.c_str());
    }
    LinkedFiles(const LinkedFiles&) = delete;
    LinkedFiles& operator=(const LinkedFiles&) = delete;
    std::vector<std::string> links, distinct, written;
};

std::string Figure(const Paired& p, const char* floor, const std::string& shown) {
    char out[240];
    std::snprintf(out, sizeof out, "%s vs %s %s (%.2fx), in turns%s", Micros(p.ours.median).c_str(), floor,
                  Micros(p.base.median).c_str(), p.ours.median / p.base.median, shown.c_str());
    return out;
}

// The window's tick with every look kept: the rows compared with what was
// found, the fourteen published texts compared, the workers asked to look.
// Its floor: the two texts of each row and the fourteen texts read.
std::string WindowTick(bool companions, bool sameDocument) {
    const LinkedFiles files(companions, sameDocument);
    BenchDialog bench;
    CPriceListDlg& dlg = bench.Dlg();
    for (int row = 0; row < ids::kRows; ++row) {
        dlg.m_rowLinkFile[row] = files.links[row];
        dlg.m_rowLinkColumn[row] = 1;
    }
    // Publishes once, as after start-up, and has every look answered.
    dlg.LinkTick();
    const DWORD start = ::GetTickCount();
    while (!dlg.m_linkWatch->Settled() && ::GetTickCount() - start < kSettleLimitMs) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::Sleep(1);
    }
    const Paired p = InTurns(kTicks, [&] { return TimedMicros([&] { dlg.LinkTick(); }); },
                             [&] {
                                 return TimedMicros([&] {
                                     for (int row = 0; row < ids::kRows; ++row) {
                                         dlg.GetItemText(ids::Goods(row), 260);
                                         dlg.GetItemText(ids::Price(row), 260);
                                     }
                                     for (int column = 0; column < ids::kColumns; ++column) {
                                         dlg.GetItemText(ids::Name(column), 260);
                                         dlg.GetItemText(ids::Sum(column), 260);
                                     }
                                 });
                             });
    const std::string shown = dialogkit::WindowText(::GetDlgItem(bench.Wnd(), ids::Price(ids::kRows - 1)), 260);
    return Figure(p, "bare text reads", "; row 20 shows \"" + shown + "\"");
}

// A worker's look at the links of its folder. Its floor: a look at each
// file the links read and at its companion.
std::string WorkerLook(bool companions, bool sameDocument) {
    const LinkedFiles files(companions, sameDocument);
    uint64_t now = SteadyTime();
    LinkSources sources([&now] { return now; });
    const auto look = [&] {
        const LinkSources::Tick tick(sources);
        for (const std::string& link : files.links) {
            const PathAnalysis& analysis = sources.Analyse(link);
            if (analysis.parts) sources.Columns(link, *analysis.parts);
        }
    };
    look();
    // An idle window's worker: the files have stayed as they are for longer
    // than the reader's clock waits before it keeps what it read.
    now += LinkSources::kSettledAfter + 1;
    look();
    const Paired p = InTurns(kTicks, [&] { return TimedMicros(look); }, [&] {
        return TimedMicros([&] {
            WIN32_FILE_ATTRIBUTE_DATA data;
            for (const std::string& doc : files.distinct) {
                ::GetFileAttributesExA(doc.c_str(), GetFileExInfoStandard, &data);
                ::GetFileAttributesExA((doc.substr(0, doc.size() - 4) + ".pgw").c_str(), GetFileExInfoStandard, &data);
            }
        });
    });
    return Figure(p, "bare attribute queries", "");
}

const BenchRegistrar tickMany("LinkTick on the window, 20 rows linked to 20 documents with companion files", "<= 2 ms",
                              [] { return WindowTick(true, false); });
const BenchRegistrar tickMissing("LinkTick on the window, 20 rows linked to missing documents", "<= 2 ms",
                                 [] { return WindowTick(false, false); });
const BenchRegistrar lookMany("link worker's look, 20 links to 20 documents with companion files", "<= 2 ms",
                              [] { return WorkerLook(true, false); });
const BenchRegistrar lookOne("link worker's look, 20 links to one document with a companion file", "<= 2 ms",
                             [] { return WorkerLook(true, true); });
const BenchRegistrar lookMissing("link worker's look, 20 links to missing documents", "<= 2 ms",
                                 [] { return WorkerLook(false, false); });

}  // namespace
