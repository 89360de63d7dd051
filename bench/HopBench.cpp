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
constexpr int kChanges = 20;
constexpr const char* kFloorFile = "Boden.txt";

// Waits before each change, spread over more than a link period so that
// the changes fall at different moments of both instances' timers.
DWORD WaitBefore(int change) { return 40 + static_cast<DWORD>(change * 373 % 1290); }

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

std::string Figures(const std::vector<double>& hops) {
    if (hops.empty()) return "failed: the instances did not start or link";
    if (std::find(hops.begin(), hops.end(), -1.0) != hops.end()) return "failed: a change did not arrive";
    std::string each;
    for (const double ms : hops) each += (each.empty() ? "" : ", ") + std::to_string(static_cast<int>(ms));
    const Summary s = Summarize(hops);
    char out[400];
    std::snprintf(out, sizeof out, "median %.0f ms, worst %.0f ms (%s ms)", s.median, s.high, each.c_str());
    return out;
}

// The documents of a chain: the first holds the price typed, counted in
// its column B; each further one links its row 01 to column B of the one
// before and counts that row in its own column B.
std::vector<std::string> WriteChain(int length) {
    static const char* const names[] = {"Quelle", "Mitte", "Ende"};
    std::vector<std::string> documents;
    for (int i = 0; i < length; ++i) {
        const std::string document = BenchDir() + "\\" + names[i] + ".pgx";
        std::vector<std::string> lines{"[LISTE]", "Preis01=1.00", "[B]", "Name=Vorrat", "[BUTTONS]", "B=10000000000000000000"};
        if (i > 0) {
            lines.insert(lines.end(), {"[SHARED]", "File 01=" + documents.back(), "Column=1///////////////////"});
        }
        WriteLines(document, lines);
        documents.push_back(document);
    }
    return documents;
}

// A price typed into the first instance of a chain until the last one's
// row 01 shows it, kChanges times.
std::string ChainFigures(int length) {
    const std::vector<std::string> documents = WriteChain(length);
    std::vector<Instance> instances(documents.size());
    std::vector<double> hops;
    const std::string exe = ExeToMeasure();
    bool started = true;
    for (size_t i = documents.size(); i-- > 0;) started = started && Start(exe, documents[i], &instances[i]);
    const HWND typed = instances.front().window, linked = instances.back().window;
    if (started && MsUntilShown(linked, ids::Price(0), "1.00", NowMicros()) >= 0) {
        for (int change = 0; change < kChanges; ++change) {
            ::Sleep(WaitBefore(change));
            const std::string text = std::to_string(11 + change) + ".00";
            const double since = NowMicros();
            DWORD_PTR answer = 0;
            ::SendMessageTimeoutA(::GetDlgItem(typed, ids::Price(0)), WM_SETTEXT, 0,
                                  reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kLimitMs, &answer);
            hops.push_back(MsUntilShown(linked, ids::Price(0), text, since));
        }
    }
    for (Instance& instance : instances) End(instance);
    for (const std::string& document : documents) {
        ::DeleteFileA(document.c_str());
        ::DeleteFileA((document.substr(0, document.size() - 4) + ".pgw").c_str());
    }
    return Figures(hops);
}

// The floor of a hop: a plain write of a small file in one process until
// another, woken by the folder's change notification, has read it.
std::string FloorFigures() {
    const std::string file = BenchDir() + "\\" + kFloorFile;
    const std::string eventName = "TarveloBenchFloor-" + std::to_string(::GetCurrentProcessId());
    const HANDLE read = ::CreateEventA(nullptr, FALSE, FALSE, eventName.c_str());
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = "\"";
    commandLine.append(self).append("\" --watch \"").append(BenchDir()).append("\" ").append(eventName);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION watcher{};
    std::vector<double> hops;
    if (read && ::CreateProcessA(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, BenchDir().c_str(),
                                 &startup, &watcher)) {
        ::WaitForSingleObject(read, kLimitMs);  // the watcher is ready
        for (int change = 0; change < kChanges; ++change) {
            ::Sleep(WaitBefore(change) / 4);
            std::string text = "Summe=";
            text.append(std::to_string(11 + change)).append(".00");
            const double since = NowMicros();
            WriteLines(file, {"[B]", text});
            hops.push_back(::WaitForSingleObject(read, kLimitMs) == WAIT_OBJECT_0 ? (NowMicros() - since) / 1000.0 : -1);
        }
        ::TerminateProcess(watcher.hProcess, 0);
        ::WaitForSingleObject(watcher.hProcess, kLimitMs);
        ::CloseHandle(watcher.hThread);
        ::CloseHandle(watcher.hProcess);
    }
    if (read) ::CloseHandle(read);
    ::DeleteFileA(file.c_str());
    return Figures(hops);
}

std::string HopFigures() {
    const std::string floor = FloorFigures();
    return ChainFigures(2) + "; floor: a bare write, change notification and read between two processes " + floor;
}

const BenchRegistrar hop("hop: a price typed in one instance until the linked row of another shows it, 20 changes",
                         "median <= 80 ms, worst <= 250 ms", HopFigures);
const BenchRegistrar chain("chain of three instances, 20 changes", "median <= 160 ms (twice the hop)",
                           [] { return ChainFigures(3); });

}  // namespace

// The other side of the floor: woken by the folder, reads the file and
// signals once it holds something new.
int WatchAndSignal(const char* folder, const char* eventName) {
    const HANDLE read = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName);
    const HANDLE changes = ::FindFirstChangeNotificationA(folder, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME |
                                                          FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (!read || changes == INVALID_HANDLE_VALUE) return 1;
    ::SetEvent(read);
    const std::string file = std::string(folder) + "\\" + kFloorFile;
    std::string last;
    while (::WaitForSingleObject(changes, INFINITE) == WAIT_OBJECT_0) {
        ::FindNextChangeNotification(changes);
        std::ifstream in(file, std::ios::binary);
        const std::string now((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (now.empty() || now == last) continue;
        last = now;
        ::SetEvent(read);
    }
    return 0;
}
