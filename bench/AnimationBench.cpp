// The animation's frame period against its configured delay: the work of a
// frame (scroll, feed, two script reads) should be small beside the pause.
#include "Bench.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

double NowMs() {
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Median time between changes of G's top button while frames alternate it.
double FramePeriod(int delayMs) {
    {
        std::ofstream script(ThePriceListApp()->m_strConfigPath, std::ios::binary);
        script << "[BUTTONS]\r\n000=11111111111111111111\r\n001=00000000000000000000\r\n";
    }
    BenchDialog bench;
    CPriceListDlg& dlg = bench.Dlg();
    dlg.m_animTiming = AnimationTiming{0, 0};
    dlg.m_animRepeat = -1;
    dlg.StartAnimation();
    dlg.m_animDelay = delayMs;
    std::vector<double> changes;
    int last = -1;
    const double end = NowMs() + 40.0 * delayMs + 2000.0;
    while (changes.size() < 31 && NowMs() < end) {
        MSG msg;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_SENDMESSAGE);
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        const int state = dlg.SelectionButtonState(0, 6, -1);
        if (state != last) {
            changes.push_back(NowMs());
            last = state;
        }
    }
    dlg.StopAnimation();
    std::vector<double> periods;
    for (size_t i = 2; i < changes.size(); ++i) periods.push_back(changes[i] - changes[i - 1]);
    if (periods.empty()) return 0.0;
    std::sort(periods.begin(), periods.end());
    return periods[periods.size() / 2];
}

std::string Periods() {
    const double at40 = FramePeriod(40);
    const double at80 = FramePeriod(80);
    char out[128];
    std::snprintf(out, sizeof out, "%.1f ms at delay 40, %.1f ms at delay 80", at40, at80);
    return out;
}

const BenchRegistrar periods("animation frame period", "delay + a few ms of work", Periods);

}  // namespace
