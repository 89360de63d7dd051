// A price typed in one running Tarvelo.exe until the row of another
// instance that links to it shows the new sum: two real processes, six
// changes at different moments of their timers. The time runs from the
// change of the price edit (what a keystroke does) until the linked
// row's price edit shows the new sum; both are read from outside.
// TARVELO_HOP_EXE names another exe to measure (an older build, say).
#include "Bench.h"
#include "model/ControlIds.h"
#include "support/Samples.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kLimitMs = 20000;
// Waits before each change, spread over more than a link period so that
// the changes fall at different moments of both instances' timers.
constexpr DWORD kWaitsMs[] = {130, 870, 420, 1210, 40, 650};

std::string ExeToMeasure() {
    char named[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("TARVELO_HOP_EXE", named, MAX_PATH) > 0) return named;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1) + "..\\Tarvelo.exe";
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << "\r\n";
}

struct Instance {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

bool Start(const std::string& exe, const std::string& document, Instance* instance) {
    std::string commandLine = "\"" + exe + "\" \"" + document + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, BenchDir().c_str(),
                          &startup, &instance->process)) {
        return false;
    }
    const std::string title = "Tarvelo   -   " + document.substr(document.rfind('\\') + 1, document.size() - document.rfind('\\') - 5);
    for (const DWORD start = ::GetTickCount(); !instance->window && ::GetTickCount() - start < kLimitMs; ::Sleep(10)) {
        instance->window = ::FindWindowA(nullptr, title.c_str());
    }
    return instance->window != nullptr;
}

void End(Instance& instance) {
    if (!instance.process.hProcess) return;
    ::TerminateProcess(instance.process.hProcess, 0);
    ::WaitForSingleObject(instance.process.hProcess, kLimitMs);
    ::CloseHandle(instance.process.hThread);
    ::CloseHandle(instance.process.hProcess);
}

std::string TextOf(HWND window, int id) {
    char text[64] = {};
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(::GetDlgItem(window, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, kLimitMs, &answer);
    return text;
}

// Milliseconds until the window's control shows the text; -1 when it did not.
double MsUntilShown(HWND window, int id, const std::string& text, double since) {
    for (;;) {
        if (TextOf(window, id) == text) return (NowMicros() - since) / 1000.0;
        if (NowMicros() - since > kLimitMs * 1000.0) return -1;
        ::Sleep(1);
    }
}

std::string HopFigures() {
    const std::string source = BenchDir() + "\\Quelle.pgx", target = BenchDir() + "\\Ziel.pgx";
    WriteLines(source, {"[LISTE]", "Preis01=1.00", "[B]", "Name=Vorrat", "Summe=1.00", "[BUTTONS]", "B=10000000000000000000"});
    WriteLines(target, {"[SHARED]", "File 01=" + source, "Column=1///////////////////"});
    Instance linked, typed;
    std::vector<double> hops;
    const std::string exe = ExeToMeasure();
    if (Start(exe, target, &linked) && Start(exe, source, &typed) &&
        MsUntilShown(linked.window, ids::Price(0), "1.00", NowMicros()) >= 0) {
        int price = 10;
        for (const DWORD wait : kWaitsMs) {
            ::Sleep(wait);
            const std::string text = std::to_string(++price) + ".00";
            const double since = NowMicros();
            DWORD_PTR answer = 0;
            ::SendMessageTimeoutA(::GetDlgItem(typed.window, ids::Price(0)), WM_SETTEXT, 0,
                                  reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kLimitMs, &answer);
            hops.push_back(MsUntilShown(linked.window, ids::Price(0), text, since));
        }
    }
    End(typed);
    End(linked);
    for (const char* name : {"Quelle.pgx", "Quelle.pgw", "Ziel.pgx", "Ziel.pgw"}) ::DeleteFileA((BenchDir() + "\\" + name).c_str());
    if (hops.empty()) return "failed: the instances did not start or link";
    if (std::find(hops.begin(), hops.end(), -1.0) != hops.end()) return "failed: a change did not arrive";
    std::string each;
    for (const double ms : hops) each += (each.empty() ? "" : ", ") + std::to_string(static_cast<int>(ms));
    const Summary s = Summarize(hops);
    char out[200];
    std::snprintf(out, sizeof out, "median %.0f ms, worst %.0f ms (%s ms)", s.median, s.high, each.c_str());
    return out;
}

const BenchRegistrar hop("a price typed in one instance until the linked row of another shows it",
                         "<= 0.5 s median, <= 1 s worst", HopFigures);

}  // namespace
