#pragma once
// Samples of a case and its baseline taken in turns, so that the baseline is
// a floor measured under the same conditions, and their summary.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

struct Summary {
    double median = 0;
    double low = 0;
    double high = 0;
};

inline Summary Summarize(std::vector<double> samples) {
    if (samples.empty()) return {};
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples.front(), samples.back()};
}

inline double NowMicros() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return 1e6 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double TimedMicros(const std::function<void()>& f) {
    const double start = NowMicros();
    f();
    return NowMicros() - start;
}

struct Paired {
    Summary ours;
    Summary base;
};

// n samples of each; every other round the baseline goes first, so neither
// always runs on the other's warm caches. A negative sample failed and is
// left out.
inline Paired InTurns(int n, const std::function<double()>& ours, const std::function<double()>& base) {
    std::vector<double> a, b;
    auto take = [](std::vector<double>& into, double sample) {
        if (sample >= 0) into.push_back(sample);
    };
    for (int round = 0; round < n; ++round) {
        if (round % 2 == 0) {
            take(a, ours());
            take(b, base());
        } else {
            take(b, base());
            take(a, ours());
        }
    }
    return {Summarize(a), Summarize(b)};
}
