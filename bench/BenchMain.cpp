#include "Bench.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

std::vector<BenchCase>& BenchCases() {
    static std::vector<BenchCase> cases;
    return cases;
}

double MedianMicros(int n, const std::function<void()>& f) {
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    std::vector<double> samples;
    for (int i = 0; i < n; ++i) {
        LARGE_INTEGER a, b;
        ::QueryPerformanceCounter(&a);
        f();
        ::QueryPerformanceCounter(&b);
        samples.push_back(1e6 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart));
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

std::string Micros(double us) {
    char buffer[64];
    if (us >= 1000.0) {
        std::snprintf(buffer, sizeof buffer, "%.2f ms", us / 1000.0);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.1f us", us);
    }
    return buffer;
}

const std::string& BenchDir() {
    static const std::string dir = [] {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        std::string d = std::string(temp) + "tarvelo-bench-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(d.c_str(), nullptr);
        return d;
    }();
    return dir;
}

BenchDialog::BenchDialog() : m_dlg(std::make_unique<CPriceListDlg>()) { m_dlg->CreateModeless(); }

BenchDialog::~BenchDialog() = default;

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--watch") == 0) return WatchAndSignal(argv[2], argv[3]);
    ::SetCurrentDirectoryA(BenchDir().c_str());
    CPriceListApp app;
    app.SetModulePath(BenchDir() + "\\Tarvelo.exe");
    app.DerivePaths();
    std::printf("| benchmark | figure | goal |\n|---|---|---|\n");
    for (const BenchCase& c : BenchCases()) {
        if (argc > 1 && !std::strstr(c.name.c_str(), argv[1])) continue;
        const std::string figure = c.run();
        std::printf("| %s | %s | %s |\n", c.name.c_str(), figure.c_str(), c.goal.c_str());
        std::fflush(stdout);
    }
    return 0;
}
