// Process start to the end of the first paint of the main window: the real
// Tarvelo.exe against a bare dialog program on the same template, started
// in turns in the same run. Each sets a named event at its first paint when
// the environment names one; the time runs from before CreateProcess until
// the event is set, and the process is ended then.
#include "Bench.h"
#include "support/Samples.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kFirstPaintEventVariable = "TARVELO_FIRST_PAINT_EVENT";
constexpr DWORD kStartLimitMs = 60000;
constexpr int kStarts = 15;

std::string ModuleFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

// Milliseconds from the start of EXE to its first paint; -1 when it failed.
double StartToFirstPaintMs(const std::string& exe) {
    static int started = 0;
    const std::string name =
        "TarveloBenchFirstPaint-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++started);
    const HANDLE painted = ::CreateEventA(nullptr, TRUE, FALSE, name.c_str());
    if (!painted) return -1;
    ::SetEnvironmentVariableA(kFirstPaintEventVariable, name.c_str());
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = NowMicros();
    double ms = -1;
    if (::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, BenchDir().c_str(),
                         &startup, &process)) {
        if (::WaitForSingleObject(painted, kStartLimitMs) == WAIT_OBJECT_0) ms = (NowMicros() - start) / 1000.0;
        ::TerminateProcess(process.hProcess, 0);
        ::WaitForSingleObject(process.hProcess, kStartLimitMs);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::SetEnvironmentVariableA(kFirstPaintEventVariable, nullptr);
    ::CloseHandle(painted);
    return ms;
}

std::string StartupFigures() {
    const std::string product = ModuleFolder() + "..\\Tarvelo.exe";
    const std::string bare = ModuleFolder() + "bare_dialog.exe";
    // One start of each first, so the files come from the cache in every sample.
    StartToFirstPaintMs(product);
    StartToFirstPaintMs(bare);
    const Paired p = InTurns(kStarts, [&] { return StartToFirstPaintMs(product); },
                             [&] { return StartToFirstPaintMs(bare); });
    char out[200];
    std::snprintf(out, sizeof out, "%.0f ms (%.0f-%.0f) vs bare dialog %.0f ms (%.0f-%.0f) (%.2fx), %d starts each",
                  p.ours.median, p.ours.low, p.ours.high, p.base.median, p.base.low, p.base.high,
                  p.base.median > 0 ? p.ours.median / p.base.median : 0.0, kStarts);
    return out;
}

const BenchRegistrar processStart("Tarvelo.exe process start to first paint", "<= 1.15x bare dialog", StartupFigures);

}  // namespace
