#pragma once
// A small benchmark registry: each case measures something and returns its
// figures as text; the program prints every case beside its goal.
#include "app/PriceListApp.h"
#include "app/PriceListDlg.h"

#include <functional>
#include <string>
#include <vector>

struct BenchCase {
    std::string name;
    std::string goal;
    std::function<std::string()> run;
};

std::vector<BenchCase>& BenchCases();

struct BenchRegistrar {
    BenchRegistrar(std::string name, std::string goal, std::function<std::string()> run) {
        BenchCases().push_back({std::move(name), std::move(goal), std::move(run)});
    }
};

// Median of n timed runs of f, in microseconds.
double MedianMicros(int n, const std::function<void()>& f);
std::string Micros(double us);  // "123.4 us" / "12.3 ms"

// A folder for the benchmark's files (also its working directory).
const std::string& BenchDir();

// The main dialog created from its template, invisible and modeless.
class BenchDialog {
public:
    BenchDialog();
    ~BenchDialog();
    CPriceListDlg& Dlg() { return *m_dlg; }
    HWND Wnd() const { return m_dlg->GetSafeHwnd(); }

private:
    std::unique_ptr<CPriceListDlg> m_dlg;
};

// The bench program started as the other process of the hop's floor.
int WatchAndSignal(const char* folder, const char* eventName);
